#include "Computers.h"

#include <cassert>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace vorni {

namespace {

constexpr std::size_t at(int i)
{
    return static_cast<std::size_t>(i);
}

// A pattern reads the four cells of a window: 'S' holds a ball of the side,
// 'E' is empty, '-' is not examined. play is the index of the cell to play.
struct Pattern {
    std::string_view cells;
    int play;
};

constexpr std::array<Pattern, 4> ThreePatterns{{
    {"SSSE", 3},
    {"ESSS", 0},
    {"SSES", 2},
    {"SESS", 1},
}};

// Pattern 0 is pattern 2 with an empty fourth cell; scanned first, it prefers
// a pair with room for two more balls.
constexpr std::array<Pattern, 4> PairPatterns{{
    {"SSEE", 2},
    {"ESS-", 0},
    {"SSE-", 2},
    {"-ESS", 1},
}};

// The pair search leaves out W4 and W8.
constexpr std::array<int, 6> PairRowWindows{1, 2, 3, 5, 6, 7};

// The computer re-seeds with this number before every fallback draw.
constexpr std::uint64_t FallbackSeed = 50;

bool matchWindow(Game &game, Player side, const Pattern &pattern, const Window &window)
{
    const Board &board = game.board();
    for (std::size_t i = 0; i < window.size(); ++i) {
        const char want = pattern.cells[i];
        if (want == '-')
            continue;
        const Player owner = board.owner(window[i]);
        if (owner != (want == 'S' ? side : Player::None))
            return false;
    }
    const int target = window[at(pattern.play)];
    if (!isPlayable(board, target))
        return false;
    game.Butt_Click(ColumnOfCell(target));
    return true;
}

template <std::size_t N>
bool scanWindows(Game &game, Player side, const std::array<Pattern, 4> &patterns, const std::array<Window, N> &windows)
{
    // The pattern number is the outer loop: a gap at the end of a three is
    // found before a gap inside one, wherever the two lie.
    for (const Pattern &pattern : patterns) {
        for (const Window &window : windows) {
            if (matchWindow(game, side, pattern, window))
                return true;
        }
    }
    return false;
}

// A quick test whether a search can succeed at all, so that the ordered scan
// of the windows runs only where one can match. It reads the fill counts for
// the playable cells, which agree with the owners the scan reads. Cells as
// bits r + 7c, with a guard row (r = 6) above each column that never holds a
// ball: a line that would run off the top or bottom of the board meets a
// clear bit instead of wrapping into the next column.
using Bits = std::uint64_t;

constexpr Bits bit(int column, int row)
{
    return Bits{1} << (row + 7 * column);
}

// Steps between neighbours on a line, in both directions.
constexpr int RowStep = 7;
constexpr int RisingStep = 8;  // up and to the right
constexpr int FallingStep = 6; // up and to the left, as a shift to the right

// The lowest free cell of every column with room: the only playable empty cells.
Bits playableBits(const Board &board)
{
    Bits bits = 0;
    for (int c = 0; c < Columns; ++c) {
        if (!board.isFull(c))
            bits |= bit(c, board.fillCount(c));
    }
    return bits;
}

Bits sideBits(const Board &board, Player side)
{
    Bits bits = 0;
    for (int c = 0; c < Columns; ++c) {
        for (int r = 0; r < Rows; ++r)
            bits |= Bits{board.owner(cellOf(c, r)) == side} << (r + 7 * c);
    }
    return bits;
}

Bits sideBitsInRow(const Board &board, Player side, int R)
{
    Bits bits = 0;
    for (int c = 0; c < Columns; ++c)
        bits |= Bits{board.owner(cellOf(c, R - 1)) == side} << (R - 1 + 7 * c);
    return bits;
}

// Cells that, with three balls of s, fill a line of four in step d.
constexpr Bits threeTargets(Bits s, int d)
{
    return ((s >> d) & (s >> 2 * d) & (s >> 3 * d)) | ((s << d) & (s >> d) & (s >> 2 * d))
        | ((s << 2 * d) & (s << d) & (s >> d)) | ((s << 3 * d) & (s << 2 * d) & (s << d));
}

// Cells next to two balls of s in a line in step d. Every pair pattern plays
// such a cell, so no pair can be extended where there is none.
constexpr Bits pairTargets(Bits s, int d)
{
    return ((s >> d) & (s >> 2 * d)) | ((s << d) & (s << 2 * d));
}

constexpr bool isSide(Player side)
{
    return side == Player::One || side == Player::Two;
}
constexpr bool isRowNumber(int R)
{
    return R >= 1 && R <= Rows;
}

} // namespace

bool isPlayable(const Board &board, int cell)
{
    assert(isBoardCell(cell));
    return rowOfCell(cell) == 0 || board.owner(cell - 1) != Player::None;
}

bool TryColumnRun(Game &game, Player side, int n, int need)
{
    assert(isSide(side) && n >= 1 && n <= Columns && need >= 1 && need <= Rows);
    const int column = n - 1;
    const Board &board = game.board();
    int count = 0;
    for (int cell = 6 * n - 5; cell <= 6 * n; ++cell) {
        count = board.owner(cell) == side ? count + 1 : 0;
        if (count == need) {
            // The computer judges by the count: a full column may still be
            // open while Player 1's click that filled it is under way.
            if (board.isFull(column))
                return false;
            game.Butt_Click(column);
            return true;
        }
    }
    return false;
}

bool MatchThreeWindow(Game &game, Player side, int pattern, int c1, int c2, int c3, int c4)
{
    assert(isSide(side) && pattern >= 0 && pattern < 4);
    return matchWindow(game, side, ThreePatterns[at(pattern)], {c1, c2, c3, c4});
}

bool MatchPairWindow(Game &game, Player side, int pattern, int c1, int c2, int c3, int c4)
{
    assert(isSide(side) && pattern >= 0 && pattern < 4);
    return matchWindow(game, side, PairPatterns[at(pattern)], {c1, c2, c3, c4});
}

bool TryRowThree(Game &game, Player side, int R)
{
    assert(isSide(side) && isRowNumber(R));
    // A row scores its horizontal line only once; the diagonal and column
    // searches have no such test.
    const Board &board = game.board();
    if (board.RowScored[at(R)])
        return false;
    if ((threeTargets(sideBitsInRow(board, side, R), RowStep) & playableBits(board)) == 0)
        return false;
    std::array<Window, 8> windows;
    for (int w = 1; w <= 8; ++w)
        windows[at(w - 1)] = rowWindow(R, w);
    return scanWindows(game, side, ThreePatterns, windows);
}

bool TryDiagonalThree(Game &game, Player side)
{
    assert(isSide(side));
    const Bits s = sideBits(game.board(), side);
    const Bits playable = playableBits(game.board());
    return ((threeTargets(s, RisingStep) & playable) && scanWindows(game, side, ThreePatterns, RisingWindows))
        || ((threeTargets(s, FallingStep) & playable) && scanWindows(game, side, ThreePatterns, FallingWindows));
}

bool TryRowPair(Game &game, Player side, int R)
{
    assert(isSide(side) && isRowNumber(R));
    const Board &board = game.board();
    if ((pairTargets(sideBitsInRow(board, side, R), RowStep) & playableBits(board)) == 0)
        return false;
    std::array<Window, PairRowWindows.size()> windows;
    for (std::size_t i = 0; i < windows.size(); ++i)
        windows[i] = rowWindow(R, PairRowWindows[i]);
    return scanWindows(game, side, PairPatterns, windows);
}

bool TryDiagonalPair(Game &game, Player side)
{
    assert(isSide(side));
    const Bits s = sideBits(game.board(), side);
    const Bits playable = playableBits(game.board());
    return ((pairTargets(s, RisingStep) & playable) && scanWindows(game, side, PairPatterns, RisingWindows))
        || ((pairTargets(s, FallingStep) & playable) && scanWindows(game, side, PairPatterns, FallingWindows));
}

int columnForDraw(double x)
{
    assert(x >= 0.0 && x < 1.0);
    // nearbyint rounds in the current mode, which nothing in the program
    // changes from round-to-nearest-even.
    return static_cast<int>(std::nearbyint(x * 6.0));
}

FallbackChoice chooseFallbackColumn(RandomGenerator &generator, const Board &board)
{
    FallbackChoice choice;
    bool anyRoom = false;
    for (int c = 0; c < Columns; ++c)
        anyRoom = anyRoom || !board.isFull(c);
    if (!anyRoom)
        return choice;
    // No bound on the draws: the generator keeps spreading its draws over the
    // whole range, so a column with room comes up sooner or later.
    do {
        generator.reseed(FallbackSeed);
        choice.column = columnForDraw(generator.draw());
        ++choice.draws;
    } while (board.isFull(choice.column));
    return choice;
}

Computer::Computer()
    : m_generator(&processGenerator())
{
}

Computer::Computer(RandomGenerator &generator)
    : m_generator(&generator)
{
}

void Computer::ComputerMove(Game &game)
{
    assert(game.sideToMove() == Player::Two);
    const Player person = Player::One;
    const Player computer = Player::Two;

    // Threes. Within a pass blocking comes before completing; across passes the
    // pass number decides. Column 6 is not reached here. The diagonal searches
    // do not depend on the pass and the board does not change while every rule
    // fails, so they run in pass 1 only, at their place in the order.
    for (int i = 1; i <= 6; ++i) {
        if (TryColumnRun(game, person, i, 3) || TryRowThree(game, person, i)
            || (i == 1 && TryDiagonalThree(game, person)) || TryColumnRun(game, computer, i, 3)
            || TryRowThree(game, computer, i) || (i == 1 && TryDiagonalThree(game, computer)))
            return;
    }
    // Column 6 is examined for Player 1's three only.
    if (TryColumnRun(game, person, 7, 3))
        return;

    // Pairs. Player 1's vertical pairs in columns 0 to 5 are never looked for.
    for (int i = 1; i <= 6; ++i) {
        if (TryColumnRun(game, computer, i, 2) || TryRowPair(game, computer, i)
            || (i == 1 && TryDiagonalPair(game, computer)) || TryRowPair(game, person, i)
            || (i == 1 && TryDiagonalPair(game, person)))
            return;
    }
    // In column 6 only Player 1's vertical pair is looked for, never the computer's.
    if (TryColumnRun(game, person, 7, 2))
        return;

    // With no column free (the turn order never allows it) there is nothing
    // to draw for, and playing nothing is better than drawing for ever.
    const FallbackChoice choice = chooseFallbackColumn(*m_generator, game.board());
    if (choice.column >= 0)
        game.Butt_Click(choice.column);
}

} // namespace vorni
