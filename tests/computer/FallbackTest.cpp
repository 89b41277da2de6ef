// The random fallback: its generator, the rounding of a draw to a column, the
// spread of the columns and the redraw while a column is full.

#include "ComputerTesting.h"

#include <cmath>
#include <random>
#include <set>

namespace vorni {
namespace {

using testing::play;
using testing::replyOf;

Board boardWithRoomOnlyIn(int open)
{
    Board board;
    for (int c = 0; c < Columns; ++c)
        board.fill[static_cast<std::size_t>(c)] = c == open ? 0 : Rows;
    return board;
}

TEST(Fallback, DrawIsRoundedToTheNearestColumnWithHalvesToEven)
{
    EXPECT_EQ(columnForDraw(0.0), 0);
    EXPECT_EQ(columnForDraw(std::nextafter(1.0 / 12, 0.0)), 0);
    EXPECT_EQ(columnForDraw(0.25), 2); // 1.5
    EXPECT_EQ(columnForDraw(0.5), 3);
    EXPECT_EQ(columnForDraw(0.75), 4); // 4.5
    EXPECT_EQ(columnForDraw(std::nextafter(11.0 / 12, 1.0)), 6);
    EXPECT_EQ(columnForDraw(std::nextafter(1.0, 0.0)), 6);
}

TEST(Fallback, FreshGeneratorsGiveTheSameDrawsAndReseedingDoesNotRestartThem)
{
    RandomGenerator a;
    RandomGenerator b;
    std::set<double> seen;
    for (int i = 0; i < 1000; ++i) {
        a.reseed(50);
        b.reseed(50);
        const double x = a.draw();
        ASSERT_EQ(x, b.draw()) << "draw " << i;
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
        seen.insert(x);
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(Fallback, FirstRepliesOnAnOpenBoardAreFixed)
{
    // The start state belongs to the opponent's character: the same moves
    // of Player 1 must bring the same replies in every version.
    RandomGenerator random;
    const Board open;
    std::vector<int> columns;
    for (int i = 0; i < 12; ++i)
        columns.push_back(chooseFallbackColumn(random, open).column);
    EXPECT_EQ(columns, (std::vector<int>{5, 1, 5, 2, 1, 5, 3, 0, 4, 0, 2, 5}));
}

TEST(Fallback, EdgeColumnsComeUpHalfAsOftenAsInnerOnes)
{
    constexpr int Decisions = 240'000;
    RandomGenerator random;
    const Board open;
    std::array<int, Columns> counts{};
    for (int i = 0; i < Decisions; ++i) {
        const FallbackChoice choice = chooseFallbackColumn(random, open);
        ASSERT_EQ(choice.draws, 1);
        ++counts[static_cast<std::size_t>(choice.column)];
    }
    // 4% of the expected count is more than five standard deviations, and far
    // less than a wrong rounding shifts (floor: never 6; an even split: 1/7).
    for (int c = 0; c < Columns; ++c) {
        const double expected = Decisions * (c == 0 || c == 6 ? 1.0 / 12 : 1.0 / 6);
        EXPECT_NEAR(counts[static_cast<std::size_t>(c)], expected, 0.04 * expected) << "column " << c;
    }
}

// Whether column comes up within the first draws of a copy of generator; a
// column that never comes up would leave the redraw loop running for ever.
bool comesUpSoon(RandomGenerator generator, int column)
{
    for (int i = 0; i < 1000; ++i) {
        generator.reseed(50);
        if (columnForDraw(generator.draw()) == column)
            return true;
    }
    return false;
}

TEST(Fallback, FullColumnsAreRedrawnUntilTheOpenOneComesUp)
{
    for (int open : {6, 0, 3}) {
        RandomGenerator random;
        ASSERT_TRUE(comesUpSoon(random, open)) << "column " << open << " is never drawn";
        const Board board = boardWithRoomOnlyIn(open);
        const double chance = open == 0 || open == 6 ? 1.0 / 12 : 1.0 / 6;
        constexpr int Decisions = 20'000;
        long draws = 0;
        int longest = 0;
        for (int i = 0; i < Decisions; ++i) {
            const FallbackChoice choice = chooseFallbackColumn(random, board);
            ASSERT_EQ(choice.column, open);
            draws += choice.draws;
            longest = std::max(longest, choice.draws);
        }
        // A geometric number of draws: 12 on average for an edge column, 6 for an inner one.
        EXPECT_NEAR(static_cast<double>(draws) / Decisions, 1 / chance, 0.05 / chance) << "column " << open;
        EXPECT_LT(longest, 300) << "column " << open;
    }
}

TEST(Fallback, NoDrawWhenNoColumnHasRoom)
{
    Board full;
    full.fill.fill(Rows);
    RandomGenerator random;
    const RandomGenerator before = random;
    const FallbackChoice choice = chooseFallbackColumn(random, full);
    EXPECT_EQ(choice.column, -1);
    EXPECT_EQ(choice.draws, 0);
    EXPECT_EQ(random, before);
}

TEST(Fallback, ComputerDrawsFromTheProcessGeneratorUnlessGivenOne)
{
    OptionValues options;
    Game game(options);
    ASSERT_TRUE(play(game, "4"));
    RandomGenerator expected = processGenerator();
    const int column = chooseFallbackColumn(expected, game.board()).column;

    Computer computer;
    EXPECT_EQ(replyOf(computer, game), column);
    EXPECT_EQ(processGenerator(), expected);
}

// The same moves of Player 1 bring the same replies, random ones included,
// when the computer starts from a fresh generator.
TEST(Fallback, SameMovesOfPlayerOneBringTheSameReplies)
{
    std::mt19937 choose(2026);
    RandomGenerator firstRandom;
    RandomGenerator secondRandom;
    Computer first(firstRandom);
    Computer second(secondRandom);
    OptionValues options;
    options.computerOn = true;
    for (int g = 0; g < 200; ++g) {
        Game a(options);
        Game b(options);
        a.setOpponent(&first);
        b.setOpponent(&second);
        while (!a.isGameOver()) {
            int column;
            do
                column = std::uniform_int_distribution<int>(0, Columns - 1)(choose);
            while (!a.canPlay(column));
            a.Butt_Click(column);
            b.Butt_Click(column);
            ASSERT_EQ(a.board(), b.board()) << "game " << g;
        }
        ASSERT_TRUE(b.isGameOver());
    }
}

} // namespace
} // namespace vorni
