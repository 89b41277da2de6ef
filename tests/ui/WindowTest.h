#pragma once

// What every test of the window shares: a game window of its own, started on a settings folder of its
// own for each test, and the inputs a person gives it. A test class derives from WindowTest; its init()
// and cleanup() start and end the window around each test.

#include "BoardMirror.h"
#include "CommandPanel.h"
#include "GameLinesView.h"
#include "InputQueue.h"
#include "MainFrm.h"
#include "TitleLights.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

namespace vorni::testing {

QPoint centreInWindow(const QWidget *window, const QWidget *w);

constexpr std::array<Command, 3> Options{Command::Animation, Command::PlayComputer, Command::GameLine};

// The window's load step has run: its controls exist.
inline bool isLoaded(const MainFrm &window)
{
    return window.findChild<BoardMirror *>() != nullptr;
}

// A complete random game whose result is the one asked for, as columns.
std::vector<int> gameEndingWith(Result wanted);

class WindowTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<QTemporaryDir> m_config;
    UserSettingsStore m_store;
    std::unique_ptr<MainFrm> m_window;

    // A window on the store, shown, with its controls made.
    void startWindow();
    // The user's settings live in a folder of each test's own.
    void useNewSettingsFolder();
    QString storedFile() const { return m_config->filePath(QStringLiteral("Vorni Game.ini")); }

    // The window's parts, as it made them.
    template <typename T = QWidget> T *control(const QString &name) const
    {
        T *w = m_window->findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    CommandPanel *commands() const { return part<CommandPanel>(); }
    BoardMirror *mirror() const { return part<BoardMirror>(); }
    const Game &game() const { return mirror()->game(); }
    TitleLights *lights() const { return part<TitleLights>(); }
    InputQueue *input() const { return part<InputQueue>(); }
    ImageControl *ball(int k) const { return control<ImageControl>(QStringLiteral("Balls(%1)").arg(k)); }
    ImageControl *butt(int c) const { return control<ImageControl>(QStringLiteral("butt(%1)").arg(c)); }
    LabelControl *buttLb(int c) const { return control<LabelControl>(QStringLiteral("ButtLb(%1)").arg(c)); }
    ImageControl *button(Command command) const { return commands()->button(command); }
    LabelControl *caption(Command command) const { return commands()->caption(command); }
    GameLinesView *linesView() const { return control<GameLinesView>(QStringLiteral("Line1")); }
    bool isBusy() const { return mirror()->isBusy(); }
    int waitingInputs() const;

    void click(const QWidget *target);
    void clickColumn(int c) { click(butt(c)); }
    void waitForMove();
    void animationOff();
    int ballsOnBoard() const;
    // What the player sees of the game: the columns' fill counts as the window mirrors them and the
    // options' strike-through (Animation, Player vs Computer, Game Line), or "closed".
    QString shown() const;
    // One input as a person gives it: "button 4" and "letter 4" click column E's button or letter,
    // "command 2" clicks a command's caption, "key Ctrl+Z" presses keys, "repeat D" is a held key,
    // "typed Tab" is a key brought by the platform to the focused control, "on butt(4) Space" gives a
    // control the focus as Tab does and types a key on it, "action butt(4) Press" is a screen reader's.
    void give(const QString &input);
    // Every control that mirrors the board shows the game as it stands.
    void verifyMirror();

private:
    template <typename T> T *part() const
    {
        T *p = m_window->findChild<T *>();
        if (!p)
            qFatal("the window has no %s", T::staticMetaObject.className());
        return p;
    }

private slots:
    void init()
    {
        useNewSettingsFolder();
        startWindow();
    }
    void cleanup() { m_window.reset(); }
};

} // namespace vorni::testing
