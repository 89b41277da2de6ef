#pragma once

// Positions for tests, written as column sequences: "4453" plays columns
// 4, 4, 5, 3 counted from 1 ("A" is 1), the players taking turns as usual.
// Spaces are ignored, so long games can be grouped for reading.

#include "Game.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace vorni::testing {

// Plays the sequence and fails loudly on a move the game would refuse.
inline ::testing::AssertionResult play(Game &game, std::string_view moves)
{
    int index = 0;
    for (char ch : moves) {
        if (ch == ' ')
            continue;
        ++index;
        const int column = ch - '1';
        if (!isColumn(column))
            return ::testing::AssertionFailure() << "move " << index << " '" << ch << "' is no column";
        if (!game.canPlay(column))
            return ::testing::AssertionFailure() << "move " << index << " (column " << ch << ") cannot be played";
        game.Butt_Click(column);
    }
    return ::testing::AssertionSuccess();
}

// Keeps every event the game reports, in order.
struct EventLog final : GameListener {
    std::vector<GameEvent> events;
    void happened(const GameEvent &event) override { events.push_back(event); }
    std::vector<EventKind> kinds() const
    {
        std::vector<EventKind> result;
        for (const GameEvent &e : events)
            result.push_back(e.kind);
        return result;
    }
    void clear() { events.clear(); }
};

// An opponent that plays a column chosen by the test.
struct FakeOpponent final : Opponent {
    std::vector<int> replies; // columns 0..6, used front to back
    int asked = 0;
    void ComputerMove(Game &game) override
    {
        ++asked;
        if (static_cast<std::size_t>(asked) <= replies.size())
            game.Butt_Click(replies[static_cast<std::size_t>(asked - 1)]);
    }
};

// What undo must bring back: the board (turn, scores, game over included),
// the game lines and the state the opponent's replies depend on.
struct Position {
    Board board;
    std::vector<GameLine> lines;
    std::uint64_t replyState = 0;
    friend bool operator==(const Position &, const Position &) = default;
};

inline Position positionOf(const Game &game, const Opponent *opponent)
{
    Position position{game.board(), {}, opponent ? opponent->replyState() : 0};
    for (int n = 1; n <= game.lineCount(); ++n)
        position.lines.push_back(game.line(n));
    return position;
}

} // namespace vorni::testing
