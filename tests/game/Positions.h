#pragma once

// Positions for tests, written as column sequences: "4453" plays columns
// 4, 4, 5, 3 counted from 1 ("A" is 1), the players taking turns as usual.
// Spaces are ignored, so long games can be grouped for reading.

#include "Game.h"

#include <gtest/gtest.h>

#include <random>
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

// Random games to the end. After some clicks, and always at the end, one to
// three steps are taken back and must leave the position before them; then
// redo (with the computer switched off, as it must not be asked) or the same
// clicks must bring back exactly the same game.
inline void undoOverRandomGames(Game &game, OptionValues &options, const Opponent *opponent, int games)
{
    std::mt19937 random(20261208);
    const bool computerOn = options.computerOn;
    for (int g = 0; g < games; ++g) {
        game.newGame();
        std::vector<Position> before;
        std::vector<int> clicks;
        while (!game.isGameOver()) {
            const int column = static_cast<int>(random() % Columns);
            if (!game.canPlay(column))
                continue;
            before.push_back(positionOf(game, opponent));
            clicks.push_back(column);
            game.Butt_Click(column);
            if (!game.isGameOver() && random() % 4 != 0)
                continue;
            const Position after = positionOf(game, opponent);
            const std::size_t steps = std::min<std::size_t>(1 + random() % 3, clicks.size());
            for (std::size_t i = 0; i < steps; ++i)
                ASSERT_TRUE(game.undo());
            ASSERT_TRUE(positionOf(game, opponent) == before[before.size() - steps]) << "game " << g;
            const bool byRedo = random() % 2 == 0;
            options.computerOn = computerOn && !byRedo;
            for (std::size_t i = clicks.size() - steps; i < clicks.size(); ++i) {
                if (byRedo)
                    ASSERT_TRUE(game.redo());
                else
                    game.Butt_Click(clicks[i]);
            }
            options.computerOn = computerOn;
            ASSERT_TRUE(positionOf(game, opponent) == after) << "game " << g << (byRedo ? " redo" : " clicks");
        }
    }
}

} // namespace vorni::testing
