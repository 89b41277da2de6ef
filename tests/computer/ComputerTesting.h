#pragma once

// Helpers for the computer's tests: the board as readable text, and a runner
// that checks the rules' contract each time a rule is tried.

#include "Computers.h"
#include "Positions.h"

#include <string>

namespace vorni::testing {

constexpr int NoMove = -1;

inline char ownerText(Player p)
{
    return p == Player::One ? '1' : p == Player::Two ? '2' : '.';
}

// Row number R (1..6) from column 0 to column 6, e.g. "11.111.".
inline std::string rowText(const Board &board, int R)
{
    std::string text;
    for (int c = 0; c < Columns; ++c)
        text += ownerText(board.owner(cellOf(c, R - 1)));
    return text;
}

// Column c from the bottom up, only its balls, e.g. "112".
inline std::string columnText(const Board &board, int c)
{
    std::string text;
    for (int r = 0; r < board.fillCount(c); ++r)
        text += ownerText(board.owner(cellOf(c, r)));
    return text;
}

inline int ballCount(const Board &board)
{
    int count = 0;
    for (int c = 0; c < Columns; ++c)
        count += board.fillCount(c);
    return count;
}

// The column of the one ball that separates after from before, checking that
// it is the only change of fill counts and that it belongs to mover; NoMove
// when nothing was played.
inline int columnAdded(const Board &before, const Board &after, Player mover)
{
    int played = NoMove;
    for (int c = 0; c < Columns; ++c) {
        const int added = after.fillCount(c) - before.fillCount(c);
        if (added == 0)
            continue;
        if (added != 1 || played != NoMove) {
            ADD_FAILURE() << "more than one ball was played";
            return NoMove;
        }
        played = c;
    }
    if (played != NoMove) {
        EXPECT_EQ(after.owner(cellOf(played, before.fillCount(played))), mover);
    }
    return played;
}

// Tries rule(game, args...) and returns the column it played, or NoMove.
// A rule that answers false must leave the board as it was; one that answers
// true must have played exactly one ball of the side to move.
template <class Rule, class... Args> int columnPlayed(Game &game, Rule rule, Args... args)
{
    const Board before = game.board();
    const Player mover = game.sideToMove();
    if (!rule(game, args...)) {
        EXPECT_EQ(game.board(), before) << "a rule that fails must change nothing";
        return NoMove;
    }
    const int played = columnAdded(before, game.board(), mover);
    EXPECT_NE(played, NoMove) << "a rule that succeeds must have played";
    return played;
}

// The column of the computer's reply on the position in game (Player 2 to move).
inline int replyOf(Computer &computer, Game &game)
{
    const Board before = game.board();
    computer.ComputerMove(game);
    const int played = columnAdded(before, game.board(), Player::Two);
    EXPECT_NE(played, NoMove) << "the computer must always reply";
    return played;
}

} // namespace vorni::testing
