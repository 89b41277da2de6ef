#pragma once

// The game's one window: every control in its place, the board state mirrored on it, the command
// panel, hover, the title lights, and the options read at start and saved when the window closes.
// The window owns the game and hands every move to it; it never applies a rule itself.
//
// The handlers keep the names the game uses (Butt_Click, CButt_Click, butt_MouseMove...). Their work
// lives beside its concern: the form (MainFrmForm.cpp), hover (MainFrmHover.cpp), keyboard focus
// (MainFrmFocus.cpp), the replay of a move (BoardMirror), input held while a move is shown
// (InputQueue), keys (Keys), title lights, what a screen reader is told (Accessibility).

#include "BoardMirror.h"
#include "Computers.h"
#include "Controls.h"
#include "Game.h"
#include "GameLinesView.h"
#include "InputQueue.h"
#include "SettingsStore.h"
#include "TitleLights.h"

#include <QTimer>
#include <QVariantAnimation>
#include <QWidget>

#include <array>

namespace vorni {

class MainFrm : public QWidget, private GameOptions {
    Q_OBJECT
public:
    // The three options are read from store at start and written back when the window closes.
    explicit MainFrm(SettingsStore &store, QWidget *parent = nullptr);
    ~MainFrm() override;

    static constexpr int ClientWidth = 10035;
    static constexpr int ClientHeight = 6420;

    // Click handlers. They act at once; clicks and keys that come while a move is being shown wait
    // for it in the input queue and reach these handlers afterwards.
    void Butt_Click(int Index);
    void ButtLb_Click(int Index);
    void CButt_Click(int Index);
    void CButtLB_Click(int Index);
    void WebLb_Click(int Index);
    void EmailLb_Click();
    // Takes back the last move (with the computer on, Player 1's move and its reply) or plays it again.
    void Undo_Click();
    void Redo_Click();

    // Hover: the button under the pointer shows Player 1's picture. The bare window, the board picture
    // and the panel's background clear every mark.
    void butt_MouseMove(int Index);
    void ButtLb_MouseMove(int Index);
    void CButt_MouseMove(int Index);
    void Form_MouseMove();
    void Image1_MouseMove();
    void Picture3_MouseMove();

    // One tick of the title lights: 25 ticks of 300 ms make one cycle.
    void Blinker_Timer();
    QTimer *blinker() const { return m_titleLights->timer(); }
    TitleLetter *light(int i) const { return m_titleLights->letter(i); }

    // A move is being shown: its ball falling, or events still to play.
    bool isBusy() const;
    // Inputs waiting for the move being shown.
    int waitingInputs() const { return m_input.waiting(); }

    const Game &game() const { return m_game; }
    const BoardControls &boardControls() const { return m_board; }
    ImageControl *ball(int k) const { return m_board.balls.at(static_cast<std::size_t>(k)); }
    ImageControl *butt(int c) const { return m_board.butt.at(static_cast<std::size_t>(c)); }
    LabelControl *buttLb(int c) const { return m_board.buttLb.at(static_cast<std::size_t>(c)); }
    ImageControl *cButt(int i) const { return m_cButt.at(static_cast<std::size_t>(i)); }
    LabelControl *cButtLb(int i) const { return m_cButtLb.at(static_cast<std::size_t>(i)); }
    GameLinesView *linesView() const { return m_board.lines; }
    QVariantAnimation *dropAnimation() const { return m_mirror->dropAnimation(); }

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
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Unload();
    void createControls();
    void connectControls();
    void LayOutBalls();
    void setUpFocus();
    void clearColumnMarks();
    void clearCommandMarks();
    void handle(const Input &input);
    void toggleOption(int Index);
    void newGame();

    bool animation() const override;
    bool playComputer() const override;
    bool gameLines() const override;

    SettingsStore &m_store;
    bool m_loaded = false;
    bool m_closed = false;
    Game m_game;
    Computer m_computer;
    InputQueue m_input;

    BoardControls m_board;
    BoardMirror *m_mirror = nullptr;
    PanelControl *m_picture3 = nullptr;
    PanelControl *m_picture1 = nullptr;
    std::array<ImageControl *, 5> m_cButt{};
    std::array<LabelControl *, 5> m_cButtLb{};
    TitleLights *m_titleLights = nullptr;
};

} // namespace vorni
