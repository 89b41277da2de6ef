// The searches for two balls of a side with a playable empty cell beside
// them, on a row and on the diagonals. Positions are column sequences
// (1-based), played with the computer off.

#include "ComputerTesting.h"

namespace vorni {
namespace {

using testing::columnPlayed;
using testing::columnText;
using testing::NoMove;
using testing::play;
using testing::rowText;

struct PairSearch : ::testing::Test {
    OptionValues options; // computer off
    Game game{options};
};

// --- TryRowPair -----------------------------------------------------------

TEST_F(PairSearch, PairWithTwoEmptyCellsBesideItIsExtended)
{
    ASSERT_TRUE(play(game, "112"));
    ASSERT_EQ(rowText(game.board(), 1), "11.....");
    EXPECT_EQ(columnPlayed(game, TryRowPair, Player::Two, 1), NoMove);
    EXPECT_EQ(columnPlayed(game, TryRowPair, Player::One, 1), 2);
}

TEST_F(PairSearch, PairIsExtendedToTheLeftWhileItsRightNeighbourCannotBeReached)
{
    ASSERT_TRUE(play(game, "22331"));
    ASSERT_EQ(rowText(game.board(), 2), ".22....");
    ASSERT_EQ(rowText(game.board(), 1), "111....");
    EXPECT_EQ(columnPlayed(game, TryRowPair, Player::Two, 2), 0);
    EXPECT_EQ(game.board().owner(2), Player::Two);
}

TEST_F(PairSearch, WindowFromColumnThreeToSixIsNotScanned)
{
    // W4 would offer column 5 under pattern 0 before W7 offers column 2.
    ASSERT_TRUE(play(game, "445"));
    ASSERT_EQ(rowText(game.board(), 1), "...11..");
    EXPECT_EQ(columnPlayed(game, TryRowPair, Player::One, 1), 2);
}

TEST_F(PairSearch, PairBlockedOnTheLeftIsExtendedToTheRight)
{
    ASSERT_TRUE(play(game, "435"));
    ASSERT_EQ(rowText(game.board(), 1), "..211..");
    EXPECT_EQ(columnPlayed(game, TryRowPair, Player::One, 1), 5);
}

TEST_F(PairSearch, PairInAScoredRowIsStillExtendedThoughItsThreeIsNot)
{
    ASSERT_TRUE(play(game, "1122334"));
    ASSERT_EQ(rowText(game.board(), 1), "1111...");
    ASSERT_TRUE(game.board().RowScored[1]);
    EXPECT_EQ(columnPlayed(game, TryRowThree, Player::One, 1), NoMove);
    EXPECT_EQ(columnPlayed(game, TryRowPair, Player::One, 1), 4);
}

TEST_F(PairSearch, BallsWithAGapBetweenThemAreNoPair)
{
    ASSERT_TRUE(play(game, "173"));
    ASSERT_EQ(rowText(game.board(), 1), "1.1...2");
    EXPECT_EQ(columnPlayed(game, TryRowPair, Player::One, 1), NoMove);
    EXPECT_EQ(columnPlayed(game, TryDiagonalPair, Player::One), NoMove);
}

// --- TryDiagonalPair ------------------------------------------------------

TEST_F(PairSearch, DiagonalPairIsExtendedWhereTheBallCanLand)
{
    // Player 1 holds cells 1 and 8; cell 15 above cell 14 is playable.
    ASSERT_TRUE(play(game, "122373"));
    ASSERT_EQ(columnText(game.board(), 1), "21");
    ASSERT_EQ(columnText(game.board(), 2), "22");
    EXPECT_EQ(columnPlayed(game, TryDiagonalPair, Player::One), 2);
    EXPECT_EQ(game.board().owner(15), Player::One);
}

TEST_F(PairSearch, DiagonalPairWhoseNeighboursCannotBeReachedIsLeft)
{
    // Player 1 holds cells 2 and 9 on a rising diagonal; cell 16 beyond them
    // has nothing below it and the diagonal has no cell before cell 2.
    ASSERT_TRUE(play(game, "21122"));
    ASSERT_EQ(columnText(game.board(), 0), "21");
    ASSERT_EQ(columnText(game.board(), 1), "121");
    EXPECT_EQ(columnPlayed(game, TryDiagonalPair, Player::One), NoMove);
    ASSERT_TRUE(play(game, "3737"));
    ASSERT_EQ(columnText(game.board(), 2), "22");
    EXPECT_EQ(columnPlayed(game, TryDiagonalPair, Player::One), NoMove);
    ASSERT_TRUE(play(game, "3")); // cell 15, under cell 16
    EXPECT_EQ(columnPlayed(game, TryDiagonalPair, Player::One), 2);
    EXPECT_EQ(game.board().owner(16), Player::One);
}

// --- MatchPairWindow ------------------------------------------------------

// Each pair pattern against bottom-row shapes in W1 (cells 1, 7, 13, 19).
// Cells marked with a dash in a pattern are not examined, whatever they hold.
struct PairShape {
    const char *moves;
    const char *row;
    std::array<int, 4> playedByPattern;
};

TEST(PairPatterns, EachPatternMatchesItsShapesAndIgnoresItsDashCells)
{
    const std::array<PairShape, 4> shapes{{
        {"112", "11.....", {2, NoMove, 2, NoMove}},      // S S E E
        {"243", ".112...", {NoMove, 0, NoMove, NoMove}}, // E S S -
        {"142", "11.2...", {NoMove, NoMove, 2, NoMove}}, // S S E -
        {"314", "2.11...", {NoMove, NoMove, NoMove, 1}}, // - E S S
    }};
    for (const PairShape &shape : shapes) {
        for (int pattern = 0; pattern < 4; ++pattern) {
            SCOPED_TRACE(::testing::Message() << shape.row << " pattern " << pattern);
            OptionValues options;
            Game game(options);
            ASSERT_TRUE(play(game, shape.moves));
            ASSERT_EQ(rowText(game.board(), 1), shape.row);
            EXPECT_EQ(columnPlayed(game, MatchPairWindow, Player::One, pattern, 1, 7, 13, 19),
                      shape.playedByPattern[static_cast<std::size_t>(pattern)]);
        }
    }
}

} // namespace
} // namespace vorni
