// The computer's rules written out plainly, cell by cell and without any
// shortcut, and compared with the computer on many random positions. The
// model only names the column a rule would play; it never plays.

#include "ComputerTesting.h"

#include <random>
#include <string_view>

namespace vorni {
namespace {

using testing::columnPlayed;
using testing::NoMove;

struct ModelPattern {
    std::string_view cells; // S: the side's ball, E: empty, -: not read
    int play;               // index of the cell to play
};
constexpr ModelPattern Threes[] = {{"SSSE", 3}, {"ESSS", 0}, {"SSES", 2}, {"SESS", 1}};
constexpr ModelPattern Pairs[] = {{"SSEE", 2}, {"ESS-", 0}, {"SSE-", 2}, {"-ESS", 1}};

bool modelPlayable(const Board &board, int cell)
{
    const bool bottom = cell == 1 || cell == 7 || cell == 13 || cell == 19 || cell == 25 || cell == 31 || cell == 37;
    return bottom || board.owner(cell - 1) != Player::None;
}

int modelMatch(const Board &board, Player side, const ModelPattern &pattern, const Window &window)
{
    for (std::size_t i = 0; i < 4; ++i) {
        const Player owner = board.owner(window[i]);
        if ((pattern.cells[i] == 'S' && owner != side) || (pattern.cells[i] == 'E' && owner != Player::None))
            return NoMove;
    }
    const int target = window[static_cast<std::size_t>(pattern.play)];
    return modelPlayable(board, target) ? (target - 1) / 6 : NoMove;
}

template <std::size_t P, std::size_t N>
int modelScan(const Board &board, Player side, const ModelPattern (&patterns)[P], const std::array<Window, N> &windows)
{
    for (const ModelPattern &pattern : patterns) {
        for (const Window &window : windows) {
            const int column = modelMatch(board, side, pattern, window);
            if (column != NoMove)
                return column;
        }
    }
    return NoMove;
}

int modelColumnRun(const Board &board, Player side, int n, int need)
{
    int count = 0;
    for (int cell = 6 * n - 5; cell <= 6 * n; ++cell) {
        count = board.owner(cell) == side ? count + 1 : 0;
        if (count == need)
            return board.fillCount(n - 1) == 6 ? NoMove : n - 1;
    }
    return NoMove;
}

int modelRowThree(const Board &board, Player side, int R)
{
    if (board.RowScored[static_cast<std::size_t>(R)])
        return NoMove;
    std::array<Window, 8> windows;
    for (int w = 1; w <= 8; ++w)
        windows[static_cast<std::size_t>(w - 1)] = rowWindow(R, w);
    return modelScan(board, side, Threes, windows);
}

int modelRowPair(const Board &board, Player side, int R)
{
    const std::array<Window, 6> windows{rowWindow(R, 1), rowWindow(R, 2), rowWindow(R, 3),
                                        rowWindow(R, 5), rowWindow(R, 6), rowWindow(R, 7)};
    return modelScan(board, side, Pairs, windows);
}

template <std::size_t P> int modelDiagonal(const Board &board, Player side, const ModelPattern (&patterns)[P])
{
    const int rising = modelScan(board, side, patterns, RisingWindows);
    return rising != NoMove ? rising : modelScan(board, side, patterns, FallingWindows);
}

// The decision order as the rules give it, diagonals searched in every pass,
// for the side choosing: two is its own side, one the other, as they are for
// the computer.
// NoMove means the reply is random.
int modelReply(const Board &b, Player own = Player::Two)
{
    const Player one = opponentOf(own);
    const Player two = own;
    for (int i = 1; i <= 6; ++i) {
        for (int column : {modelColumnRun(b, one, i, 3), modelRowThree(b, one, i), modelDiagonal(b, one, Threes),
                           modelColumnRun(b, two, i, 3), modelRowThree(b, two, i), modelDiagonal(b, two, Threes)}) {
            if (column != NoMove)
                return column;
        }
    }
    if (const int column = modelColumnRun(b, one, 7, 3); column != NoMove)
        return column;
    for (int i = 1; i <= 6; ++i) {
        for (int column : {modelColumnRun(b, two, i, 2), modelRowPair(b, two, i), modelDiagonal(b, two, Pairs),
                           modelRowPair(b, one, i), modelDiagonal(b, one, Pairs)}) {
            if (column != NoMove)
                return column;
        }
    }
    return modelColumnRun(b, one, 7, 2);
}

Game randomPosition(const OptionValues &options, std::mt19937 &random, int moves)
{
    Game game(options);
    for (int m = 0; m < moves; ++m) {
        int column;
        do
            column = std::uniform_int_distribution<int>(0, Columns - 1)(random);
        while (!game.canPlay(column));
        game.Butt_Click(column);
    }
    return game;
}

TEST(ReferenceModel, EveryRuleAgreesWithThePlainReadingOnRandomPositions)
{
    std::mt19937 random(31);
    OptionValues options;
    int played = 0;
    for (int p = 0; p < 4'000; ++p) {
        const Game position
            = randomPosition(options, random, std::uniform_int_distribution<int>(0, CellCount - 1)(random));
        const Board &board = position.board();
        const auto check = [&](int expected, auto rule, auto... args) {
            Game game = position;
            const int column = columnPlayed(game, rule, args...);
            EXPECT_EQ(column, expected) << "position " << p;
            played += column != NoMove;
        };
        for (Player side : {Player::One, Player::Two}) {
            for (int n = 1; n <= Columns; ++n) {
                check(modelColumnRun(board, side, n, 2), TryColumnRun, side, n, 2);
                check(modelColumnRun(board, side, n, 3), TryColumnRun, side, n, 3);
            }
            for (int R = 1; R <= Rows; ++R) {
                check(modelRowThree(board, side, R), TryRowThree, side, R);
                check(modelRowPair(board, side, R), TryRowPair, side, R);
            }
            check(modelDiagonal(board, side, Threes), TryDiagonalThree, side);
            check(modelDiagonal(board, side, Pairs), TryDiagonalPair, side);
        }
        if (::testing::Test::HasFailure())
            FAIL() << "stopped at position " << p;
    }
    EXPECT_GT(played, 0);
}

TEST(ReferenceModel, RepliesFollowTheDecisionOrderOnRandomPositions)
{
    std::mt19937 random(32);
    OptionValues options;
    RandomGenerator generator;
    Computer computer(generator);
    int randomReplies = 0;
    for (int p = 0; p < 20'000; ++p) {
        const int moves = 2 * std::uniform_int_distribution<int>(0, CellCount / 2 - 1)(random) + 1;
        Game game = randomPosition(options, random, moves);
        int expected = modelReply(game.board());
        if (expected == NoMove) {
            ++randomReplies;
            RandomGenerator copy = generator;
            expected = chooseFallbackColumn(copy, game.board()).column;
        }
        ASSERT_EQ(testing::replyOf(computer, game), expected) << "position " << p;
    }
    EXPECT_GT(randomReplies, 0);
}

TEST(ReferenceModel, EitherSideGetsTheDecisionOrderWithTheRolesSwapped)
{
    std::mt19937 random(33);
    OptionValues options;
    for (int p = 0; p < 10'000; ++p) {
        const Game game = randomPosition(options, random, std::uniform_int_distribution<int>(0, CellCount - 1)(random));
        for (Player side : {Player::One, Player::Two})
            ASSERT_EQ(patternColumn(game.board(), side), modelReply(game.board(), side)) << "position " << p;
    }
}

} // namespace
} // namespace vorni
