#pragma once

// The game so far as one line a person can read and paste into a message:
// the columns played, in order, as their letters, then the scores and, once
// the game is over, the result.

#include "Game.h"

#include <cassert>
#include <string>

namespace vorni {

// The letter of column 0..6: "A" to "G" from left to right.
constexpr char columnLetter(int column)
{
    assert(isColumn(column));
    return static_cast<char>('A' + column);
}

// The letters of the moves on the board separated by single spaces, then
// " - " and the scores as "P1 : P2", then at game over " - " and the result:
// "D D E C - 1 : 0", "... - 3 : 2 - Player 1 Wins". A game without moves is
// its scores alone, "0 : 0".
std::string gameText(const Game &game);

} // namespace vorni
