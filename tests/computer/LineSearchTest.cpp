// The searches for a line of four that lacks one ball: in a column, in a row
// and on the diagonals. Positions are column sequences (1-based), played with
// the computer off; the rule under test then plays for the side to move.

#include "ComputerTesting.h"

#include <algorithm>
#include <functional>
#include <set>

namespace vorni {
namespace {

using testing::columnPlayed;
using testing::columnText;
using testing::NoMove;
using testing::play;
using testing::rowText;

struct LineSearch : ::testing::Test {
    OptionValues options; // computer off
    Game game{options};
};

// --- TryColumnRun ---------------------------------------------------------

TEST_F(LineSearch, ColumnRunUnderTheOtherSidesBallStillPlaysTheColumn)
{
    ASSERT_TRUE(play(game, "515155"));
    ASSERT_EQ(columnText(game.board(), 4), "1112");
    EXPECT_EQ(columnPlayed(game, TryColumnRun, Player::One, 5, 3), 4);
    // The ball lands on top, not above the run.
    EXPECT_EQ(columnText(game.board(), 4), "11121");
}

TEST_F(LineSearch, ColumnRunLongerThanNeededIsFoundEvenInAScoredColumn)
{
    ASSERT_TRUE(play(game, "1212121"));
    ASSERT_EQ(columnText(game.board(), 0), "1111");
    ASSERT_TRUE(game.board().ColumnScored[0]);
    EXPECT_EQ(columnPlayed(game, TryColumnRun, Player::One, 1, 3), 0);
}

TEST_F(LineSearch, ColumnRunIsCountedFromTheBottomAndBrokenByTheOtherSide)
{
    ASSERT_TRUE(play(game, "1212121 3"));
    ASSERT_EQ(columnText(game.board(), 1), "222");
    EXPECT_EQ(columnPlayed(game, TryColumnRun, Player::Two, 2, 3), 1);

    Game broken(options);
    ASSERT_TRUE(play(broken, "12 21 12"));
    ASSERT_EQ(columnText(broken.board(), 0), "121");
    EXPECT_EQ(columnPlayed(broken, TryColumnRun, Player::One, 1, 2), NoMove);
    EXPECT_EQ(columnPlayed(broken, TryColumnRun, Player::One, 1, 1), 0);
}

TEST_F(LineSearch, FullColumnWithARunIsNeverPlayed)
{
    ASSERT_TRUE(play(game, "1212113131"));
    ASSERT_EQ(columnText(game.board(), 0), "111222");
    EXPECT_EQ(columnPlayed(game, TryColumnRun, Player::One, 1, 3), NoMove);
    EXPECT_EQ(columnPlayed(game, TryColumnRun, Player::Two, 1, 3), NoMove);
}

// While Player 1's click that filled a column is under way, the column is
// still open; the computer must judge it full by its count.
struct ProbeOpponent final : Opponent {
    std::function<void(Game &)> probe;
    void ComputerMove(Game &game) override { probe(game); }
};

TEST_F(LineSearch, ColumnFilledByTheClickUnderWayCountsAsFull)
{
    ASSERT_TRUE(play(game, "71111716"));
    ASSERT_EQ(columnText(game.board(), 0), "21211");

    RandomGenerator random;
    Computer computer(random);
    ProbeOpponent probe;
    bool probed = false;
    probe.probe = [&](Game &g) {
        probed = true;
        EXPECT_TRUE(g.board().isFull(0));
        EXPECT_FALSE(g.board().isClosed(0));
        EXPECT_EQ(columnPlayed(g, TryColumnRun, Player::One, 1, 3), NoMove);
        const int reply = testing::replyOf(computer, g);
        EXPECT_NE(reply, 0);
    };
    game.setOpponent(&probe);
    options.computerOn = true;
    game.Butt_Click(0);

    EXPECT_TRUE(probed);
    EXPECT_TRUE(game.board().isClosed(0));
    EXPECT_EQ(testing::ballCount(game.board()), 10);
    EXPECT_EQ(game.sideToMove(), Player::One);
}

// --- TryRowThree ----------------------------------------------------------

TEST_F(LineSearch, RowGapWithAnEmptyCellBelowWaitsUntilItCanBeReached)
{
    ASSERT_TRUE(play(game, "112233"));
    ASSERT_EQ(rowText(game.board(), 2), "222....");
    ASSERT_EQ(rowText(game.board(), 1), "111....");
    EXPECT_EQ(columnPlayed(game, TryRowThree, Player::Two, 2), NoMove);

    ASSERT_TRUE(play(game, "4")); // fills cell 19 under the gap
    EXPECT_EQ(columnPlayed(game, TryRowThree, Player::Two, 2), 3);
    EXPECT_EQ(game.board().owner(20), Player::Two);
}

TEST_F(LineSearch, ScoredRowIsNotSearched)
{
    ASSERT_TRUE(play(game, "1224455667"));
    ASSERT_EQ(rowText(game.board(), 1), "12.2222");
    ASSERT_TRUE(game.board().RowScored[1]);
    EXPECT_EQ(columnPlayed(game, TryRowThree, Player::Two, 1), NoMove);
}

TEST_F(LineSearch, UnscoredRowThreeWithTheGapOnTheLeftIsCompleted)
{
    ASSERT_TRUE(play(game, "12742546"));
    ASSERT_EQ(rowText(game.board(), 1), "12.2221");
    ASSERT_FALSE(game.board().RowScored[1]);
    EXPECT_EQ(columnPlayed(game, TryRowThree, Player::Two, 1), 2);
}

TEST_F(LineSearch, RowGapAtTheEndOfAThreeComesBeforeAGapInside)
{
    // W1 shows a gap inside in column 2 (pattern 2), W4 a gap at the end in
    // column 6 (pattern 0): the pattern number is the outer loop.
    ASSERT_TRUE(play(game, "112244556"));
    ASSERT_EQ(rowText(game.board(), 1), "11.111.");
    EXPECT_EQ(columnPlayed(game, TryRowThree, Player::One, 1), 6);
}

TEST_F(LineSearch, RowThreeOfTheOtherSideIsNotTaken)
{
    ASSERT_TRUE(play(game, "112244556"));
    EXPECT_EQ(columnPlayed(game, TryRowThree, Player::Two, 1), NoMove);
    EXPECT_EQ(columnPlayed(game, TryRowThree, Player::One, 2), NoMove);
}

// --- TryDiagonalThree -----------------------------------------------------

TEST_F(LineSearch, DiagonalThreeFromTheCornerIsCompleted)
{
    ASSERT_TRUE(play(game, "122343344"));
    ASSERT_EQ(columnText(game.board(), 0), "1");
    ASSERT_EQ(columnText(game.board(), 1), "21");
    ASSERT_EQ(columnText(game.board(), 2), "221");
    ASSERT_EQ(columnText(game.board(), 3), "121");
    EXPECT_EQ(columnPlayed(game, TryDiagonalThree, Player::Two), NoMove);
    EXPECT_EQ(columnPlayed(game, TryDiagonalThree, Player::One), 3);
    EXPECT_EQ(game.board().owner(22), Player::Two); // the side to move blocks
}

TEST_F(LineSearch, EveryRisingWindowComesBeforeAnyFallingWindow)
{
    // Rising 1-8-15-22 has its gap inside (pattern 2, column 2); falling
    // 19-14-9-4 has it at the end (pattern 0, column 0).
    ASSERT_TRUE(play(game, "441442233121"));
    ASSERT_EQ(columnText(game.board(), 0), "122");
    ASSERT_EQ(columnText(game.board(), 1), "211");
    ASSERT_EQ(columnText(game.board(), 2), "21");
    ASSERT_EQ(columnText(game.board(), 3), "1221");
    EXPECT_EQ(columnPlayed(game, TryDiagonalThree, Player::One), 2);
}

TEST_F(LineSearch, DiagonalThreeOnAScoredDiagonalIsStillCompleted)
{
    ASSERT_TRUE(play(game, "132324345447555"));
    ASSERT_EQ(columnText(game.board(), 3), "2221");
    ASSERT_EQ(columnText(game.board(), 4), "1121");
    ASSERT_TRUE(game.board().RisingScored[3]); // 1-8-15-22 by Player 1
    EXPECT_EQ(columnPlayed(game, TryDiagonalThree, Player::One), 4);
    EXPECT_EQ(game.board().owner(29), Player::Two); // the side to move played it
}

// --- MatchThreeWindow -----------------------------------------------------

// Each three-pattern laid out on the bottom row in columns 0 to 3 (W1), with
// Player 2's balls stacked on top so that they stay out of the window.
struct ThreePatternCase {
    int pattern;
    const char *columns; // 1-based columns of Player 1's three
    int playedColumn;
};

void PrintTo(const ThreePatternCase &shape, std::ostream *out)
{
    *out << "pattern " << shape.pattern << " in columns " << shape.columns;
}

class ThreePatterns : public ::testing::TestWithParam<ThreePatternCase> { };

TEST_P(ThreePatterns, EachPatternMatchesItsOwnShapeOnly)
{
    const ThreePatternCase shape = GetParam();
    for (int pattern = 0; pattern < 4; ++pattern) {
        OptionValues options;
        Game game(options);
        for (const char *c = shape.columns; *c; ++c)
            ASSERT_TRUE(play(game, std::string(2, *c)));
        // Player 2's copy of the shape one row up has nothing under its gap.
        EXPECT_EQ(columnPlayed(game, MatchThreeWindow, Player::Two, pattern, 2, 8, 14, 20), NoMove);
        const int expected = pattern == shape.pattern ? shape.playedColumn : NoMove;
        EXPECT_EQ(columnPlayed(game, MatchThreeWindow, Player::One, pattern, 1, 7, 13, 19), expected)
            << "pattern " << pattern << " on " << rowText(game.board(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(LineSearch, ThreePatterns,
                         ::testing::Values(ThreePatternCase{0, "123", 3}, ThreePatternCase{1, "234", 0},
                                           ThreePatternCase{2, "124", 2}, ThreePatternCase{3, "134", 1}),
                         [](const auto &shape) { return "Pattern" + std::to_string(shape.param.pattern); });

TEST_F(LineSearch, WindowWithItsGapOverAnEmptyCellIsNotPlayed)
{
    // Player 2 holds row number 2 in columns 0, 1, 3; the gap (cell 14) has
    // nothing below it until column 2 gets a ball.
    ASSERT_TRUE(play(game, "1 1 2 2 4 4"));
    ASSERT_EQ(rowText(game.board(), 2), "22.2...");
    EXPECT_EQ(columnPlayed(game, MatchThreeWindow, Player::Two, 2, 2, 8, 14, 20), NoMove);
    ASSERT_TRUE(play(game, "3"));
    EXPECT_EQ(columnPlayed(game, MatchThreeWindow, Player::Two, 2, 2, 8, 14, 20), 2);
}

// --- Windows and cells ----------------------------------------------------

TEST(Windows, ColumnOfCellFollowsTheNumbering)
{
    EXPECT_EQ(ColumnOfCell(1), 0);
    EXPECT_EQ(ColumnOfCell(6), 0);
    EXPECT_EQ(ColumnOfCell(7), 1);
    EXPECT_EQ(ColumnOfCell(19), 3);
    EXPECT_EQ(ColumnOfCell(37), 6);
    EXPECT_EQ(ColumnOfCell(42), 6);
}

TEST(Windows, RowWindowsAreFourNeighboursAndTheLastFourMirrorTheFirst)
{
    for (int R = 1; R <= Rows; ++R) {
        for (int w = 1; w <= 8; ++w) {
            const Window window = rowWindow(R, w);
            const int step = w <= 4 ? 6 : -6;
            for (int i = 0; i < 4; ++i) {
                EXPECT_EQ(rowOfCell(window[static_cast<std::size_t>(i)]), R - 1);
                EXPECT_EQ(window[static_cast<std::size_t>(i)], window[0] + i * step) << "W" << w;
            }
        }
        for (int w = 1; w <= 4; ++w) {
            const Window forward = rowWindow(R, w);
            const Window backward = rowWindow(R, 9 - w);
            EXPECT_TRUE(std::equal(forward.begin(), forward.end(), backward.rbegin())) << "W" << w;
        }
    }
    EXPECT_EQ(rowWindow(2, 1), (Window{2, 8, 14, 20}));
}

TEST(Windows, DiagonalWindowsAreAllTwentyFourAndFallingMirrorsRising)
{
    std::set<Window> all;
    for (std::size_t n = 0; n < 12; ++n) {
        const Window rising = RisingWindows[n];
        const Window falling = FallingWindows[n];
        for (int i = 0; i < 4; ++i) {
            const int r = rising[static_cast<std::size_t>(i)];
            const int f = falling[static_cast<std::size_t>(i)];
            ASSERT_TRUE(isBoardCell(r) && isBoardCell(f));
            EXPECT_EQ(r, rising[0] + 7 * i) << "RW" << n + 1;
            EXPECT_EQ(f, falling[0] - 5 * i) << "FW" << n + 1;
            EXPECT_EQ(columnOfCell(r), columnOfCell(rising[0]) + i) << "RW" << n + 1;
            // The mirror image: column c becomes column 6 - c, same row.
            EXPECT_EQ(f, cellOf(6 - columnOfCell(r), rowOfCell(r))) << "FW" << n + 1;
        }
        all.insert(rising);
        all.insert(falling);
    }
    // Every diagonal window of four on the board, counted from the cells.
    int windowsOnBoard = 0;
    for (int c = 0; c + 3 < Columns; ++c)
        for (int r = 0; r + 3 < Rows; ++r)
            windowsOnBoard += 2;
    EXPECT_EQ(all.size(), static_cast<std::size_t>(windowsOnBoard));
}

} // namespace
} // namespace vorni
