// Random two-person games: the rules' invariants hold over many complete
// games. The seed is fixed so that a failure replays.

#include "Positions.h"

#include <random>
#include <set>
#include <tuple>

namespace vorni {
namespace {

// Which column, row or diagonal a game line lies on, from its end cells.
std::tuple<int, int> lineIdentity(const GameLine &line)
{
    const int step = (line.to - line.from) / 3;
    const int low = std::min(line.from, line.to);
    switch (std::abs(step)) {
    case 1:
        return {0, columnOfCell(low)};
    case 6:
        return {1, rowOfCell(low)};
    case 7:
        return {2, columnOfCell(low) - rowOfCell(low)};
    default:
        return {3, columnOfCell(line.from) + rowOfCell(line.from)};
    }
}

// How many columns, rows and diagonals hold four in a row of the player, found by walking every line
// of the board from its edge. Four balls of one player need four of the line's at most seven cells, so
// no line holds a four of both players.
int linesWithFour(const Board &board, Player player)
{
    constexpr int Directions[4][2] = {{0, 1}, {1, 0}, {1, 1}, {1, -1}};
    auto onBoard = [](int c, int r) { return c >= 0 && c < Columns && r >= 0 && r < Rows; };
    int lines = 0;
    for (const auto &[dc, dr] : Directions) {
        for (int c0 = 0; c0 < Columns; ++c0) {
            for (int r0 = 0; r0 < Rows; ++r0) {
                if (onBoard(c0 - dc, r0 - dr))
                    continue; // not where a line starts
                int run = 0;
                bool four = false;
                for (int c = c0, r = r0; onBoard(c, r); c += dc, r += dr) {
                    run = board.owner(cellOf(c, r)) == player ? run + 1 : 0;
                    four = four || run >= 4;
                }
                lines += four;
            }
        }
    }
    return lines;
}

TEST(RandomGames, RulesHoldOverManyCompleteGames)
{
    constexpr int Games = 100'000;
    std::mt19937 random(20261207);
    OptionValues options;
    std::array<int, 3> results{};

    for (int g = 0; g < Games; ++g) {
        Game game(options);
        for (int move = 1; move <= CellCount; ++move) {
            ASSERT_FALSE(game.isGameOver()) << "game " << g << " over after " << move - 1 << " moves";
            int open[Columns];
            int count = 0;
            for (int c = 0; c < Columns; ++c) {
                if (game.canPlay(c))
                    open[count++] = c;
            }
            ASSERT_GT(count, 0);
            const int column = open[std::uniform_int_distribution<int>(0, count - 1)(random)];
            const Player mover = game.sideToMove();
            const int before = game.board().score(mover);
            const int linesBefore = game.lineCount();
            game.Butt_Click(column);
            const int gained = game.board().score(mover) - before;
            ASSERT_GE(gained, 0);
            ASSERT_LE(gained, 4);
            ASSERT_EQ(game.lineCount() - linesBefore, gained);
            ASSERT_EQ(game.sideToMove(), opponentOf(mover));
        }
        ASSERT_TRUE(game.isGameOver()) << "game " << g;

        const Board &board = game.board();
        for (int c = 0; c < Columns; ++c) {
            ASSERT_EQ(board.fillCount(c), Rows);
            ASSERT_TRUE(board.isClosed(c));
            for (int r = 0; r < Rows; ++r)
                ASSERT_NE(board.owner(cellOf(c, r)), Player::None);
        }

        const int total = board.score(Player::One) + board.score(Player::Two);
        ASSERT_EQ(game.lineCount(), total);
        ASSERT_LE(total, MaxGameLines);
        std::set<std::tuple<int, int>> scoredLines;
        for (int n = 1; n <= game.lineCount(); ++n) {
            const GameLine &line = game.line(n);
            ASSERT_TRUE(scoredLines.insert(lineIdentity(line)).second) << "game " << g << " line " << n;
            // A line lies over four balls of one player.
            const int step = (line.to - line.from) / 3;
            ASSERT_NE(board.owner(line.from), Player::None);
            for (int i = 1; i < 4; ++i)
                ASSERT_EQ(board.owner(line.from + i * step), board.owner(line.from));
        }

        const int one = board.score(Player::One);
        const int two = board.score(Player::Two);
        // Every four on the board scored once, for the player whose four it is.
        ASSERT_EQ(one, linesWithFour(board, Player::One)) << "game " << g;
        ASSERT_EQ(two, linesWithFour(board, Player::Two)) << "game " << g;
        const Result expected = one > two ? Result::Player1Wins : two > one ? Result::Player2Wins : Result::Equal;
        ASSERT_EQ(game.result(), expected);
        ++results[static_cast<std::size_t>(expected)];
    }
    // Every ending comes up in random play.
    for (int count : results)
        EXPECT_GT(count, 0);
}

// During play, fill counts always match the owned cells of each column.
TEST(RandomGames, FillCountsMatchOwnersAfterEveryMove)
{
    std::mt19937 random(7);
    OptionValues options;
    for (int g = 0; g < 2'000; ++g) {
        Game game(options);
        while (!game.isGameOver()) {
            game.Butt_Click(std::uniform_int_distribution<int>(0, Columns - 1)(random));
            for (int c = 0; c < Columns; ++c) {
                const int n = game.board().fillCount(c);
                for (int r = 0; r < Rows; ++r)
                    ASSERT_EQ(game.board().owner(cellOf(c, r)) != Player::None, r < n);
                ASSERT_EQ(game.board().isClosed(c), n == Rows);
            }
        }
    }
}

TEST(RandomGames, UndoTakesStepsBackAndRedoOrTheSameClicksBringThemAgain)
{
    OptionValues options;
    Game game(options);
    testing::undoOverRandomGames(game, options, nullptr, 2'000);
}

} // namespace
} // namespace vorni
