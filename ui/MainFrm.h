#pragma once

// The game's one window: every control in its place, the board state mirrored
// on it, and the events of a move played back one after another, with the
// falling ball when "Animation" is on.

#include "Computers.h"
#include "Controls.h"
#include "Game.h"
#include "SettingsStore.h"

#include <QTimer>
#include <QVariantAnimation>
#include <QWidget>

#include <array>
#include <deque>

namespace vorni {

// The game lines, drawn over the balls from centre to centre.
class GameLinesView : public QWidget {
    Q_OBJECT
public:
    GameLinesView(QWidget *parent, QRect geometry);
    void addLine(const GameLine &line);
    void setLinesVisible(bool visible);
    void clear();
    int lineCount() const { return static_cast<int>(m_lines.size()); }
    const GameLine &line(int number) const { return m_lines.at(static_cast<std::size_t>(number - 1)); }

    static constexpr QRgb Colour = fromBgr(0x004080);
    static constexpr qreal Width = 3;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<GameLine> m_lines;
};

class MainFrm : public QWidget, private GameOptions, private GameListener {
    Q_OBJECT
public:
    // The three options are read from store at start and written back when
    // the window closes.
    explicit MainFrm(SettingsStore &store, QWidget *parent = nullptr);
    ~MainFrm() override;

    static constexpr int ClientWidth = 10035;
    static constexpr int ClientHeight = 6420;

    // Click handlers. Moves and commands wait while a move is being shown.
    void Butt_Click(int Index);
    void ButtLb_Click(int Index);
    void CButt_Click(int Index);
    void CButtLB_Click(int Index);
    void WebLb_Click(int Index);
    void EmailLb_Click();
    // Hover: the button under the pointer shows Player 1's picture. The bare
    // window, the board picture and the panel's background clear every mark.
    void butt_MouseMove(int Index);
    void ButtLb_MouseMove(int Index);
    void CButt_MouseMove(int Index);
    void Form_MouseMove();
    void Image1_MouseMove();
    void Picture3_MouseMove();

    // One tick of the title lights: 25 ticks of 300 ms make one cycle.
    void Blinker_Timer();
    QTimer *blinker() const { return m_blinker; }
    LabelControl *light(int i) const { return m_lights.at(static_cast<std::size_t>(i)); }

    // A move is being shown: its ball falling, or events still to play.
    bool isBusy() const;

    const Game &game() const { return m_game; }
    ImageControl *ball(int k) const { return m_balls.at(static_cast<std::size_t>(k)); }
    ImageControl *butt(int c) const { return m_butt.at(static_cast<std::size_t>(c)); }
    LabelControl *buttLb(int c) const { return m_buttLb.at(static_cast<std::size_t>(c)); }
    ImageControl *cButt(int i) const { return m_cButt.at(static_cast<std::size_t>(i)); }
    LabelControl *cButtLb(int i) const { return m_cButtLb.at(static_cast<std::size_t>(i)); }
    GameLinesView *linesView() const { return m_lines; }
    QVariantAnimation *dropAnimation() const { return m_drop; }

    // The controls exist: the load step has run.
    bool isLoaded() const { return m_loaded; }
    // Makes the controls now rather than when the event loop first runs.
    void Form_Load();

signals:
    void loaded();
    // Everything of the last move is on the screen.
    void moveShown();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Unload();
    void clearColumnMarks();
    void clearCommandMarks();
    void toggleLight(int i);
    void LayOutBalls();
    void createControls();

    bool animation() const override;
    bool playComputer() const override;
    bool gameLines() const override;
    void happened(const GameEvent &event) override;

    void playPending();
    void display(const GameEvent &event);
    void startDrop(const GameEvent &event);
    void landBall(const GameEvent &event);
    void newGame();

    SettingsStore &m_store;
    bool m_loaded = false;
    Game m_game;
    Computer m_computer;
    std::deque<GameEvent> m_pending;
    GameEvent m_dropping;
    QVariantAnimation *m_drop = nullptr;

    PanelControl *m_picture3 = nullptr;
    PanelControl *m_picture1 = nullptr;
    ImageControl *m_nextImg = nullptr;
    LabelControl *m_nextLb = nullptr;
    LabelControl *m_p1 = nullptr;
    LabelControl *m_p2 = nullptr;
    std::array<LabelControl *, 2> m_gameOver{};
    std::array<ImageControl *, CellCount + 1> m_balls{};
    std::array<ImageControl *, Columns> m_butt{};
    std::array<LabelControl *, Columns> m_buttLb{};
    std::array<ImageControl *, 5> m_cButt{};
    std::array<LabelControl *, 5> m_cButtLb{};
    GameLinesView *m_lines = nullptr;
    std::array<LabelControl *, 5> m_lights{};
    QTimer *m_blinker = nullptr;
    int m_blinkCounter = 0;
};

} // namespace vorni
