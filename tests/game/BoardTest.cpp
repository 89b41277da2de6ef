// Cell numbering and the start state.

#include "Positions.h"

namespace vorni {
namespace {

TEST(Board, CellNumbersRunUpEachColumn)
{
    EXPECT_EQ(cellOf(0, 0), 1);
    EXPECT_EQ(cellOf(0, 5), 6);
    EXPECT_EQ(cellOf(3, 0), 19);
    EXPECT_EQ(cellOf(6, 5), 42);
    for (int k = 1; k <= CellCount; ++k)
        EXPECT_EQ(cellOf(columnOfCell(k), rowOfCell(k)), k);
}

TEST(Board, BallLandsOnLowestFreeCell)
{
    OptionValues options;
    Game game(options);
    ASSERT_TRUE(testing::play(game, "4"));
    EXPECT_EQ(game.board().owner(19), Player::One);
    ASSERT_TRUE(testing::play(game, "4444"));
    EXPECT_EQ(game.board().fillCount(3), 5);
    ASSERT_TRUE(testing::play(game, "4"));
    EXPECT_EQ(game.board().owner(24), Player::Two);
    EXPECT_EQ(game.board().fillCount(3), 6);
}

TEST(Board, NewGameRestoresTheStartState)
{
    OptionValues options;
    testing::EventLog log;
    Game game(options, &log);
    // Player 1 stacks four in column A and scores a line.
    ASSERT_TRUE(testing::play(game, "1212121 333333"));
    ASSERT_EQ(game.board().score(Player::One), 1);
    ASSERT_TRUE(game.board().isClosed(2));
    log.clear();
    game.newGame();
    // Told as undo is told: the whole position changed at once.
    EXPECT_EQ(log.kinds(), std::vector<EventKind>{EventKind::Restored});
    EXPECT_EQ(game.board(), Board{});
    EXPECT_EQ(game.lineCount(), 0);
    EXPECT_EQ(game.sideToMove(), Player::One);
    ASSERT_TRUE(testing::play(game, "1"));
    EXPECT_EQ(game.board().owner(1), Player::One);
}

} // namespace
} // namespace vorni
