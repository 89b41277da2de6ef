#pragma once

// The game's one window: every control in its place, the board state mirrored on it, the command
// panel, hover, the title lights, and the options read at start and saved as they change.
// The window owns the game and hands every move to it; it never applies a rule itself.
//
// The handlers keep the names the game uses (Butt_Click, CButt_Click, butt_MouseMove...) and hand their
// work to the part that owns it: the form (MainFrmForm.cpp), hover of the columns (MainFrmHover.cpp),
// keyboard focus (MainFrmFocus.cpp), the commands and options (CommandPanel), the replay of a move
// (BoardMirror), input held while a move is shown (InputQueue), keys (Keys), the title lights
// (TitleLights), what a screen reader is told (Accessibility).

#include "Accessibility.h"
#include "BoardControls.h"
#include "Computers.h"
#include "Game.h"
#include "SettingsStore.h"

#include <QWidget>

#include <optional>

namespace vorni {

class BoardMirror;
class CommandPanel;
class DoubleClicks;
class HintMark;
class InputQueue;
class PanelControl;
class TitleLights;
struct Input;

class MainFrm : public QWidget {
    Q_OBJECT
public:
    // The three options are read from store when the controls are made, and written back to it.
    explicit MainFrm(SettingsStore &store, QWidget *parent = nullptr);
    ~MainFrm() override;

    static constexpr int ClientWidth = 10035;
    static constexpr int ClientHeight = 6420;

    // The load step: makes the controls, lays out the balls, gives the plates and the indicator their
    // pictures and reads the options. It runs as soon as the event loop does; called before, it makes
    // them now. Once only.
    void Form_Load();

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
    // Marks the column the computer's rules choose for the side to move; plays nothing, changes nothing.
    void Hint_Click();
    // Puts the game so far on the clipboard as one line of text.
    void Copy_Click();

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

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isLoaded() const { return m_commands != nullptr; }
    bool isBusy() const;
    void Form_Unload();
    void createControls();
    void connectControls();
    void LayOutBalls();
    void setUpFocus();
    void clearColumnMarks();
    void handle(const Input &input);
    void newGame();

    SettingsStore &m_store;
    bool m_closed = false;
    // Made with the controls: the options the game asks for are the command panel's.
    std::optional<Game> m_game;
    Computer m_computer;
    // A hint left to chance draws from here, never from the computer's generator.
    RandomGenerator m_hintGenerator;
    HintMark *m_hint = nullptr;
    InputQueue *m_input = nullptr;
    DoubleClicks *m_doubleClicks = nullptr;

    // Every control a reader is told of, the board's among them; empty until the load step.
    ReadableControls m_controls;
    BoardMirror *m_mirror = nullptr;
    CommandPanel *m_commands = nullptr;
    PanelControl *m_picture3 = nullptr;
    PanelControl *m_picture1 = nullptr;
    TitleLights *m_titleLights = nullptr;
};

} // namespace vorni
