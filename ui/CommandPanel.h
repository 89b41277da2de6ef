#pragma once

// The command panel on the right: five buttons, each under its caption, top to bottom "Animation",
// "Player vs Computer", "New Game", "Game Line" and "Out". A click on a button or on its caption runs its
// command. The three options are nothing but their captions' strike-through, read at the moment of use
// (this panel is the game's GameOptions), read from the settings store at start and written back soon
// after every change and when the window closes.

#include "Command.h"
#include "Controls.h"
#include "Game.h"
#include "SettingsStore.h"

#include <QObject>
#include <QTimer>

#include <array>

namespace vorni {

class CommandPanel : public QObject, public GameOptions {
    Q_OBJECT
public:
    // Makes the buttons and captions on panel as the window's design has them: every option on but
    // "Player vs Computer". The options are kept in store.
    CommandPanel(PanelControl *panel, const QFont &captionFont, SettingsStore &store);

    ImageControl *button(Command command) const { return m_buttons[at(command)]; }
    LabelControl *caption(Command command) const { return m_captions[at(command)]; }
    // The captions in the panel's stored order, front to back, and the buttons by index: the window
    // stacks them among its other controls.
    std::array<QWidget *, CommandCount> storedCaptions() const;
    std::array<QWidget *, CommandCount> buttons() const;

    // An option is on while its caption is not struck through.
    bool isOn(Command option) const;
    bool animation() const override { return isOn(Command::Animation); }
    bool playComputer() const override { return isOn(Command::PlayComputer); }

    // Runs command Index 0..4: an option is switched, New Game and Out are asked of the window. Any other
    // Index does nothing.
    void CButt_Click(int Index);
    // Hover: the command under the pointer shows Player 1's picture and a brown caption.
    void CButt_MouseMove(int Index);
    void clearMarks();

    // The stored options replace the design's; a missing one keeps its default.
    void readOptions();
    // Hands the three options to the store now, in one save; the store leaves its file alone when that
    // already holds them.
    void saveOptions();

signals:
    void optionSwitched(Command option);
    void newGameAsked();
    void outAsked();

private:
    static constexpr std::size_t at(Command command) { return static_cast<std::size_t>(indexOf(command)); }

    SettingsStore &m_store;
    std::array<ImageControl *, CommandCount> m_buttons{};
    std::array<LabelControl *, CommandCount> m_captions{};
    // A switched option reaches the store within a second, so a kill or a crash keeps it; a burst of
    // switches is one write.
    QTimer m_saveSoon;
};

} // namespace vorni
