#pragma once

// The game's window, opened with every option at its default and driven as a player drives it: keys,
// the pointer and the controls' names only. Its pictures are taken as the screen shows them, in device
// pixels at the screen's ratio. Needs a QApplication.

#include "MainFrm.h"

#include <QImage>

namespace vorni {

class PlayedWindow {
public:
    PlayedWindow();

    // The control of that name; ends the program when there is none.
    template <typename T = QWidget> T *control(const QString &name) const
    {
        T *w = m_window.findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }

    // The whole window as it is drawn, and as it is drawn without one control: what lies behind it.
    QImage shot();
    QImage shotWithout(QWidget *control);
    // The control's place in the window's device pixels.
    QRect deviceBox(const QWidget *control) const;
    qreal devicePixelRatio() const { return m_dpr; }

    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Moves the pointer onto a point of the control, by default its middle.
    void pointAt(const QWidget *control);
    void pointAt(const QWidget *control, QPoint at);
    // Drops a ball into column (0..6) by its key and waits until balls (the move and, with the computer
    // playing, its reply) have landed. The animation must be off.
    void play(int column, int balls = 1);

private:
    int ballsShown() const;

    class Defaults : public SettingsStore {
    public:
        StoredSettings load(const QString &) override { return {}; }
        void save(const QString &, const StoredSettings &) override { }
    };
    Defaults m_store;
    MainFrm m_window;
    qreal m_dpr = 1.0;
};

} // namespace vorni
