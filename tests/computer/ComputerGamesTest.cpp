// Random games with the computer on. Player 1 picks uniformly among the open
// columns; the seed is fixed so that a failure replays.

#include "ComputerTesting.h"

#include <random>

namespace vorni {
namespace {

using testing::ballCount;
using testing::NoMove;

int randomOpenColumn(const Game &game, std::mt19937 &random)
{
    int open[Columns];
    int count = 0;
    for (int c = 0; c < Columns; ++c) {
        if (game.canPlay(c))
            open[count++] = c;
    }
    if (count == 0)
        return NoMove;
    return open[std::uniform_int_distribution<int>(0, count - 1)(random)];
}

// Wraps the computer and checks each reply as it is played, inside the click.
struct CheckedComputer final : Opponent {
    Computer &computer;
    int replies = 0;
    int fullColumnPlays = 0;
    int missingReplies = 0;

    explicit CheckedComputer(Computer &c)
        : computer(c)
    {
    }
    void ComputerMove(Game &game) override
    {
        ++replies;
        const Board before = game.board();
        computer.ComputerMove(game);
        int added = 0;
        for (int c = 0; c < Columns; ++c) {
            const int n = game.board().fillCount(c) - before.fillCount(c);
            added += n;
            if (n > 0 && before.isFull(c))
                ++fullColumnPlays;
        }
        if (added != 1)
            ++missingReplies;
    }
};

TEST(ComputerGames, EveryClickBringsOneReplyUntilTheBoardIsFullAndTheGameEnds)
{
    constexpr int Games = 100'000;
    constexpr int ClicksPerGame = CellCount / 2;
    std::mt19937 choose(424242);
    RandomGenerator random;
    Computer computer(random);
    CheckedComputer checked(computer);
    OptionValues options;
    options.computerOn = true;

    for (int g = 0; g < Games; ++g) {
        Game game(options);
        game.setOpponent(&checked);
        for (int click = 1; click <= ClicksPerGame; ++click) {
            ASSERT_FALSE(game.isGameOver()) << "game " << g << " click " << click;
            const int column = randomOpenColumn(game, choose);
            ASSERT_NE(column, NoMove);
            const int repliesBefore = checked.replies;
            game.Butt_Click(column);
            ASSERT_EQ(checked.replies, repliesBefore + 1) << "game " << g << " click " << click;
            ASSERT_EQ(ballCount(game.board()), 2 * click) << "game " << g << " click " << click;
            ASSERT_EQ(game.sideToMove(), Player::One);
            // The nested reply closes its column, the click closes its own.
            for (int c = 0; c < Columns; ++c)
                ASSERT_EQ(game.board().isClosed(c), game.board().isFull(c)) << "game " << g << " column " << c;
        }
        ASSERT_TRUE(game.isGameOver()) << "game " << g;
    }
    EXPECT_EQ(checked.fullColumnPlays, 0);
    EXPECT_EQ(checked.missingReplies, 0);
}

TEST(ComputerGames, UndoTakesBackTheReplyWithTheClickAndTheSameClickBringsTheSameReply)
{
    OptionValues options;
    options.computerOn = true;
    RandomGenerator random;
    Computer computer(random);
    Game game(options);
    game.setOpponent(&computer);
    testing::undoOverRandomGames(game, options, &computer, 2'000);
}

} // namespace
} // namespace vorni
