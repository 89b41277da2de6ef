// Lines of four: which moves score, once per column, row and diagonal, and
// where their game lines are drawn.

#include "Positions.h"

namespace vorni {
namespace {

using testing::EventLog;
using testing::play;
using K = EventKind;

struct Scoring : ::testing::Test {
    OptionValues options;
    EventLog log;
    Game game{options, &log};

    int score(Player p) const { return game.board().score(p); }
    void expectLine(int number, int from, int to) const
    {
        ASSERT_GE(game.lineCount(), number);
        const GameLine &line = game.line(number);
        EXPECT_EQ(line.number, number);
        EXPECT_EQ(line.from, from);
        EXPECT_EQ(line.to, to);
    }
};

TEST_F(Scoring, StackOfFourScoresOnceAndAFifthAddsNothing)
{
    ASSERT_TRUE(play(game, "121212"));
    EXPECT_EQ(score(Player::One), 0);
    ASSERT_TRUE(play(game, "1"));
    EXPECT_EQ(score(Player::One), 1);
    expectLine(1, 4, 1); // from the top ball of the run down three
    ASSERT_TRUE(play(game, "31"));
    EXPECT_EQ(score(Player::One), 1);
    EXPECT_EQ(game.lineCount(), 1);
    EXPECT_TRUE(game.board().ColumnScored[0]);
}

TEST_F(Scoring, RowGapCompletedDrawsOverTheFirstMatchingWindow)
{
    // Player 1 holds A, B, D, E of the bottom row, then fills C.
    ASSERT_TRUE(play(game, "11224455"));
    ASSERT_EQ(score(Player::One), 0);
    ASSERT_TRUE(play(game, "3"));
    EXPECT_EQ(score(Player::One), 1);
    expectLine(1, 1, 19); // columns A to D, not B to E
    EXPECT_TRUE(game.board().RowScored[1]);
}

TEST_F(Scoring, FullRowScoresOnce)
{
    ASSERT_TRUE(play(game, "112233556677"));
    ASSERT_TRUE(play(game, "4"));
    EXPECT_EQ(score(Player::One), 1);
    EXPECT_EQ(game.lineCount(), 1);
    expectLine(1, 1, 19);
    // Player 2 completes the full second row: a row of its own, one point.
    ASSERT_TRUE(play(game, "4"));
    EXPECT_EQ(score(Player::Two), 1);
    expectLine(2, 2, 20);
}

TEST_F(Scoring, OneBallCompletesFourLinesInTestOrder)
{
    ASSERT_TRUE(play(game, "114112222343353546775767"));
    ASSERT_EQ(score(Player::One), 0);
    log.clear();
    ASSERT_TRUE(play(game, "4")); // cell 22
    EXPECT_EQ(score(Player::One), 4);
    ASSERT_EQ(game.lineCount(), 4);
    expectLine(1, 22, 19); // vertical, top down
    expectLine(2, 4, 22);  // row 4, left to right
    expectLine(3, 1, 22);  // rising, lowest first
    expectLine(4, 37, 22); // falling, lowest (right) first
    std::vector<K> scoring;
    for (const GameEvent &e : log.events) {
        if (e.kind == K::LineDrawn || e.kind == K::ScoreChanged)
            scoring.push_back(e.kind);
    }
    // Each line is drawn before its point is added.
    EXPECT_EQ(scoring,
              (std::vector<K>{K::LineDrawn, K::ScoreChanged, K::LineDrawn, K::ScoreChanged, K::LineDrawn,
                              K::ScoreChanged, K::LineDrawn, K::ScoreChanged}));
    EXPECT_EQ(log.events.back().kind, K::ScoreChanged);
    EXPECT_EQ(log.events.back().score, 4);
}

TEST_F(Scoring, RunOfFiveOnADiagonalScoresOnceOverTheFirstWindow)
{
    // Player 1 holds 1, 8, 22 and 29 on the long rising diagonal, then fills 15.
    ASSERT_TRUE(play(game, "1223345445457557"));
    ASSERT_EQ(score(Player::One), 0);
    ASSERT_TRUE(play(game, "3"));
    EXPECT_EQ(game.board().owner(15), Player::One);
    EXPECT_EQ(score(Player::One), 1);
    ASSERT_EQ(game.lineCount(), 1);
    expectLine(1, 1, 22);
    EXPECT_TRUE(game.board().RisingScored[3]);
}

TEST_F(Scoring, MixedOwnersNeverScore)
{
    // Bottom row A..D: Player 1, Player 1, Player 2, Player 1.
    ASSERT_TRUE(play(game, "1 3 2 5 4"));
    EXPECT_EQ(score(Player::One), 0);
    EXPECT_EQ(score(Player::Two), 0);
    EXPECT_EQ(game.lineCount(), 0);
}

TEST_F(Scoring, FallingDiagonalScoresForPlayer2)
{
    // Player 2 builds 37, 32, 27, 22 from the bottom right corner.
    ASSERT_TRUE(play(game, "1 7 6 6 5 5 4 5 4 4 1 4"));
    EXPECT_EQ(score(Player::Two), 1);
    expectLine(1, 37, 22);
    EXPECT_TRUE(game.board().FallingScored[3]);
}

TEST_F(Scoring, NumberingStartsAgainAfterNewGame)
{
    ASSERT_TRUE(play(game, "1212121 3"));
    ASSERT_TRUE(play(game, "4343434")); // fours in C (Player 2) and D (Player 1)
    ASSERT_EQ(game.lineCount(), 3);
    game.newGame();
    EXPECT_EQ(game.lineCount(), 0);
    EXPECT_FALSE(game.board().ColumnScored[0]);
    ASSERT_TRUE(play(game, "2121212"));
    ASSERT_EQ(game.lineCount(), 1);
    expectLine(1, 10, 7);
}

} // namespace
} // namespace vorni
