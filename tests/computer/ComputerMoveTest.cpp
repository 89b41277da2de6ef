// The order in which the computer tries its rules. Each position is a column
// sequence (1-based) with Player 2 to move; the computer then replies with a
// fresh generator, so its random replies are known in advance.

#include "ComputerTesting.h"

namespace vorni {
namespace {

using testing::columnText;
using testing::play;
using testing::replyOf;
using testing::rowText;

struct ComputerMoveOrder : ::testing::Test {
    OptionValues options; // computer off while the position is set up
    Game game{options};
    RandomGenerator random;
    Computer computer{random};

    int replyAfter(const char *moves)
    {
        EXPECT_TRUE(play(game, moves));
        EXPECT_EQ(game.sideToMove(), Player::Two);
        return replyOf(computer, game);
    }
    // The random reply a fresh generator gives on the current board.
    int randomReply() const
    {
        RandomGenerator fresh;
        return chooseFallbackColumn(fresh, game.board()).column;
    }
};

TEST_F(ComputerMoveOrder, FirstReplyOfAGameIsRandom)
{
    ASSERT_TRUE(play(game, "4"));
    const int expected = randomReply();
    EXPECT_EQ(replyOf(computer, game), expected);
}

// --- Threes ---------------------------------------------------------------

TEST_F(ComputerMoveOrder, OwnThreeInColumnZeroComesBeforeBlockingColumnThree)
{
    // Pass 1 completes in column 0; the block in column 3 waits for pass 4.
    EXPECT_EQ(replyAfter("4141417"), 0);
    EXPECT_EQ(columnText(game.board(), 0), "2222");
}

TEST_F(ComputerMoveOrder, BlockInColumnZeroComesBeforeOwnThreeInColumnThree)
{
    EXPECT_EQ(replyAfter("1414147"), 0);
    EXPECT_EQ(columnText(game.board(), 0), "1112");
}

TEST_F(ComputerMoveOrder, WithinAPassBlockingComesBeforeCompleting)
{
    // Pass 1: Player 1's three in column 0 and the computer's three in row 1.
    ASSERT_TRUE(play(game, "1213147"));
    ASSERT_EQ(rowText(game.board(), 1), "1222..1");
    EXPECT_EQ(replyOf(computer, game), 0);
}

TEST_F(ComputerMoveOrder, DiagonalThreeIsBlockedInPassOne)
{
    // Player 1's diagonal 1-8-15 with cell 22 playable comes before the
    // computer's own three in column 5, found only in pass 6.
    ASSERT_TRUE(play(game, "122343344 676767"));
    ASSERT_EQ(columnText(game.board(), 5), "222");
    EXPECT_EQ(replyOf(computer, game), 3);
}

TEST_F(ComputerMoveOrder, EveryThreeComesBeforeAnyPair)
{
    // Player 1's three in column 5 (pass 6) beats the computer's pair in column 0.
    EXPECT_EQ(replyAfter("61616"), 5);
}

// --- Column 6 -------------------------------------------------------------

TEST_F(ComputerMoveOrder, PlayerOnesThreeInColumnSixIsBlockedAfterThePasses)
{
    // The computer's own pair in row 1 would be extended otherwise.
    EXPECT_EQ(replyAfter("71727"), 6);
}

TEST_F(ComputerMoveOrder, ColumnSixComesOnlyAfterAllSixPassesOfThrees)
{
    // The computer completes its three in column 5 (pass 6) before it blocks
    // Player 1's three in column 6.
    EXPECT_EQ(replyAfter("7676761"), 5);
}

TEST_F(ComputerMoveOrder, OwnThreeInColumnSixIsNotSeen)
{
    ASSERT_TRUE(play(game, "1737577"));
    ASSERT_EQ(columnText(game.board(), 6), "2221");
    ASSERT_EQ(rowText(game.board(), 1), "1.1.1.2");
    const int expected = randomReply();
    ASSERT_NE(expected, 6) << "the random reply must differ from the rule's column";
    EXPECT_EQ(replyOf(computer, game), expected);
}

// --- Pairs ----------------------------------------------------------------

TEST_F(ComputerMoveOrder, PlayerOnesPairInColumnSixIsBlocked)
{
    ASSERT_TRUE(play(game, "71735"));
    ASSERT_EQ(rowText(game.board(), 1), "2.2.1.1");
    ASSERT_NE(randomReply(), 6);
    EXPECT_EQ(replyOf(computer, game), 6);
}

TEST_F(ComputerMoveOrder, PlayerOnesPairInColumnsZeroToFiveIsIgnored)
{
    ASSERT_TRUE(play(game, "41437"));
    ASSERT_EQ(columnText(game.board(), 3), "11");
    ASSERT_EQ(rowText(game.board(), 1), "2.21..1");
    const int expected = randomReply();
    ASSERT_NE(expected, 3);
    EXPECT_EQ(replyOf(computer, game), expected);
}

TEST_F(ComputerMoveOrder, OwnPairInColumnSixIsIgnored)
{
    ASSERT_TRUE(play(game, "17375"));
    ASSERT_EQ(columnText(game.board(), 6), "22");
    const int expected = randomReply();
    ASSERT_NE(expected, 6);
    EXPECT_EQ(replyOf(computer, game), expected);
}

TEST_F(ComputerMoveOrder, OwnPairInColumnsZeroToFiveIsExtended)
{
    ASSERT_TRUE(play(game, "13537"));
    ASSERT_EQ(columnText(game.board(), 2), "22");
    ASSERT_NE(randomReply(), 2);
    EXPECT_EQ(replyOf(computer, game), 2);
}

TEST_F(ComputerMoveOrder, OwnPairComesBeforeBlockingPlayerOnesPairInTheSamePass)
{
    // Row 1: Player 1's pair in columns 5 and 6 (blocked in column 4), the
    // computer's pair in columns 0 and 1 (extended in column 2): both in pass 1.
    ASSERT_TRUE(play(game, "61721"));
    ASSERT_EQ(rowText(game.board(), 1), "22...11");
    EXPECT_EQ(replyOf(computer, game), 2);
    EXPECT_EQ(game.board().owner(13), Player::Two);
}

// --- Through the game -----------------------------------------------------

TEST_F(ComputerMoveOrder, ReplyIsPlayedInsidePlayerOnesClick)
{
    testing::EventLog log;
    game.setListener(&log);
    game.setOpponent(&computer);
    ASSERT_TRUE(play(game, "1414"));
    options.computerOn = true;
    log.clear();
    game.Butt_Click(0); // Player 1's third in column 0
    EXPECT_EQ(columnText(game.board(), 0), "1112");
    EXPECT_EQ(game.sideToMove(), Player::One);
    std::vector<Player> movers;
    for (const GameEvent &e : log.events) {
        if (e.kind == EventKind::BallPlaced)
            movers.push_back(e.player);
    }
    EXPECT_EQ(movers, (std::vector<Player>{Player::One, Player::Two}));
}

} // namespace
} // namespace vorni
