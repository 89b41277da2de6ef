#pragma once

// Input that waits while a move is shown. A long move (a falling ball, the computer's reply) holds up
// the clicks and keys that come meanwhile; they are not lost but handled in the order they came, one
// after another once the move is on the screen, each exactly as if it had come then.

#include <QObject>

#include <cstdint>
#include <deque>
#include <functional>

namespace vorni {

// One click or key that acts on the game.
struct Input {
    enum class Kind : std::uint8_t {
        Button,  // a click on column button index
        Letter,  // a click or key on the letter of column index
        Command, // a click or key on the button of command index (indexOf(Command))
        Caption, // a click on the caption of command index
        Undo,
        Redo,
        Hint, // the column the rules choose for the side to move, marked
        Copy, // the game so far onto the clipboard, as text
    };
    Kind kind = Kind::Button;
    int index = 0;
    friend bool operator==(const Input &, const Input &) = default;
};

class InputQueue : public QObject {
    Q_OBJECT

public:
    // busy says whether a move is being shown; handle carries an input out.
    InputQueue(std::function<bool()> busy, std::function<void(const Input &)> handle, QObject *parent);

    // Handles input at once when nothing is being shown, otherwise after what came before it.
    void post(const Input &input);
    // A move has been shown: handles the waiting inputs until one starts another move.
    void resume();
    // The window is closing: what still waits is dropped.
    void clear() { m_waiting.clear(); }
    int waiting() const { return static_cast<int>(m_waiting.size()); }

private:
    std::function<bool()> m_busy;
    std::function<void(const Input &)> m_handle;
    std::deque<Input> m_waiting;
    bool m_handling = false;
};

} // namespace vorni
