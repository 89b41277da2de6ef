#pragma once

// The game's window as a screen reader meets it (Qt's accessibility, which Linux readers reach through
// AT-SPI). The window, named by its title, lists in reading order:
//   the board: a table of 6 rows, the top row first, and 7 columns; each cell is named by its column
//     letter and its row counted from the bottom, and its owner: "C1: Player 1", "C2: empty";
//   the column buttons "Column A" to "Column G": push buttons described by their free cells ("4 cells
//     free", "full"), unavailable once full, pressed to play the column;
//   the scores ("Player 1 score: 3") and the turn ("Next: Player 2", "Game Over");
//   the commands: the options Animation, Player vs Computer and Game Line as check boxes, checked while
//     on (not struck through), and the push buttons New Game and Out;
//   the links, named by what they open ("E-mail to vorni@example.org", "Web page https://..."): the
//     e-mail and web links of the credits, then the web link at the bottom;
//   the game-over texts, while they are shown: "Game Over" and the result, which is told once;
//   a hint, while it is shown ("Hint: column D"): the letter of its column, told when it comes.
// A control's caption or letter is its name, not an object of its own. Title letters, logo, plates and
// the other pictures are decoration: outside the tree, role Graphic, no name. Actions act as clicks do,
// through the window's input queue.

#include "BoardControls.h"
#include "Command.h"

#include <QAccessible>

#include <array>

class QWidget;

namespace vorni {

// The controls a reader is told of, as the window made them; empty until it has made them.
struct ReadableControls {
    BoardControls board;
    std::array<ImageControl *, CommandCount> commandButtons{};
    std::array<LabelControl *, CommandCount> commandCaptions{};
    LabelControl *emailLink = nullptr;
    std::array<LabelControl *, 2> webLinks{}; // at the bottom, in the credits
    LabelControl *hint = nullptr;             // the letter of the column a hint marks, while it does
};

// Makes the widgets of window answer as above, reading its controls, which the window fills in when it
// makes them and which live as long as it does. The window calls it before it has a title, and
// forgetAccessibility() when it goes.
void installAccessibility(QWidget *window, const ReadableControls *controls);
void forgetAccessibility(QWidget *window);

// A reader hears what the board mirror changes as it is shown. Without a reader these do nothing.
void tellNameChanged(QWidget *control);
void tellDescriptionChanged(QWidget *control);
void tellStateChanged(QWidget *control, QAccessible::State changed);
// The control has just joined the window's list: a game-over text shown.
void tellJoined(QWidget *control);

} // namespace vorni
