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

// The three search scans every row window; the pair search leaves out W4 and W8.
constexpr std::array<int, 8> ThreeRowWindows{1, 2, 3, 4, 5, 6, 7, 8};
constexpr std::array<int, 6> PairRowWindows{1, 2, 3, 5, 6, 7};

// The computer re-seeds with this number before every fallback draw.
constexpr std::uint64_t FallbackSeed = 50;

// The column of window's cell to play when the window matches pattern for
// side and that cell is playable; NoColumn otherwise.
int findInWindow(const Board &board, Player side, const Pattern &pattern, const Window &window)
{
    for (std::size_t i = 0; i < window.size(); ++i) {
        const char want = pattern.cells[i];
        if (want == '-')
            continue;
        const Player owner = board.owner(window[i]);
        if (owner != (want == 'S' ? side : Player::None))
            return NoColumn;
    }
    const int target = window[at(pattern.play)];
    return isPlayable(board, target) ? ColumnOfCell(target) : NoColumn;
}

template <std::size_t N>
int scanWindows(const Board &board, Player side, const std::array<Pattern, 4> &patterns,
                const std::array<Window, N> &windows)
{
    // The pattern number is the outer loop: a gap at the end of a three is
    // found before a gap inside one, wherever the two lie.
    for (const Pattern &pattern : patterns) {
        for (const Window &window : windows) {
            if (const int column = findInWindow(board, side, pattern, window); column != NoColumn)
                return column;
        }
    }
    return NoColumn;
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

// The rules proper. Each finds the column its rule would play on the board as
// it stands, or NoColumn, and never plays: the rule procedures play what they
// find, and the decision order only names a column.

int findColumnRun(const Board &board, Player side, int n, int need)
{
    assert(isSide(side) && n >= 1 && n <= Columns && need >= 1 && need <= Rows);
    const int column = n - 1;
    int count = 0;
    for (int cell = 6 * n - 5; cell <= 6 * n; ++cell) {
        count = board.owner(cell) == side ? count + 1 : 0;
        // The computer judges by the count: a full column may still be
        // open while Player 1's click that filled it is under way.
        if (count == need)
            return board.isFull(column) ? NoColumn : column;
    }
    return NoColumn;
}

using Targets = Bits (*)(Bits s, int d);

// The windows numbered in windowNumbers (1..8) of row number R, scanned only
// where targets shows that a pattern can match.
template <Targets targets, std::size_t N>
int findInRow(const Board &board, Player side, int R, const std::array<Pattern, 4> &patterns,
              const std::array<int, N> &windowNumbers)
{
    if ((targets(sideBitsInRow(board, side, R), RowStep) & playableBits(board)) == 0)
        return NoColumn;
    std::array<Window, N> windows;
    for (std::size_t i = 0; i < N; ++i)
        windows[i] = rowWindow(R, windowNumbers[i]);
    return scanWindows(board, side, patterns, windows);
}

// Every rising window, pattern by pattern, before any falling one.
template <Targets targets> int findOnDiagonals(const Board &board, Player side, const std::array<Pattern, 4> &patterns)
{
    const Bits s = sideBits(board, side);
    const Bits playable = playableBits(board);
    if (targets(s, RisingStep) & playable) {
        if (const int column = scanWindows(board, side, patterns, RisingWindows); column != NoColumn)
            return column;
    }
    if (targets(s, FallingStep) & playable)
        return scanWindows(board, side, patterns, FallingWindows);
    return NoColumn;
}

int findRowThree(const Board &board, Player side, int R)
{
    assert(isSide(side) && isRowNumber(R));
    // A row scores its horizontal line only once; the diagonal and column
    // searches have no such test.
    if (board.RowScored[at(R)])
        return NoColumn;
    return findInRow<threeTargets>(board, side, R, ThreePatterns, ThreeRowWindows);
}

int findDiagonalThree(const Board &board, Player side)
{
    assert(isSide(side));
    return findOnDiagonals<threeTargets>(board, side, ThreePatterns);
}

int findRowPair(const Board &board, Player side, int R)
{
    assert(isSide(side) && isRowNumber(R));
    return findInRow<pairTargets>(board, side, R, PairPatterns, PairRowWindows);
}

int findDiagonalPair(const Board &board, Player side)
{
    assert(isSide(side));
    return findOnDiagonals<pairTargets>(board, side, PairPatterns);
}

// The decision order. A rule looks for the balls of the side choosing, its
// own, to complete or extend them, or for the other side's, to block them.
// For the computer its own side is Player 2.
enum class Whose : std::uint8_t { Own, Other };
enum class Search : std::uint8_t { ColumnThree, RowThree, DiagonalThree, ColumnPair, RowPair, DiagonalPair };
struct OrderStep {
    Search search;
    Whose whose;
};

// One pass i = 1..6, step by step: blocking comes before completing within a
// pass, and across passes the pass number decides.
constexpr std::array<OrderStep, 6> ThreesPass{{
    {Search::ColumnThree, Whose::Other},
    {Search::RowThree, Whose::Other},
    {Search::DiagonalThree, Whose::Other},
    {Search::ColumnThree, Whose::Own},
    {Search::RowThree, Whose::Own},
    {Search::DiagonalThree, Whose::Own},
}};
// The other side's vertical pairs in columns 0 to 5 are never looked for.
constexpr std::array<OrderStep, 5> PairsPass{{
    {Search::ColumnPair, Whose::Own},
    {Search::RowPair, Whose::Own},
    {Search::DiagonalPair, Whose::Own},
    {Search::RowPair, Whose::Other},
    {Search::DiagonalPair, Whose::Other},
}};

constexpr bool isDiagonal(Search search)
{
    return search == Search::DiagonalThree || search == Search::DiagonalPair;
}

// Pass i searches column i - 1 and row number i.
int findStep(const Board &board, Player side, Search search, int i)
{
    switch (search) {
    case Search::ColumnThree:
        return findColumnRun(board, side, i, 3);
    case Search::RowThree:
        return findRowThree(board, side, i);
    case Search::DiagonalThree:
        return findDiagonalThree(board, side);
    case Search::ColumnPair:
        return findColumnRun(board, side, i, 2);
    case Search::RowPair:
        return findRowPair(board, side, i);
    case Search::DiagonalPair:
        break;
    }
    return findDiagonalPair(board, side);
}

template <std::size_t N> int findInPasses(const Board &board, Player own, const std::array<OrderStep, N> &pass)
{
    for (int i = 1; i <= 6; ++i) {
        // Unrolled, each step becomes a direct call of its search; left a
        // loop over the table, a reply took some 10% more instructions.
#pragma GCC unroll 8
        for (const OrderStep &step : pass) {
            // The diagonal searches do not depend on the pass: one that fails
            // in pass 1 fails in every later pass, so it runs in pass 1 only.
            if (isDiagonal(step.search) && i > 1)
                continue;
            const Player side = step.whose == Whose::Own ? own : opponentOf(own);
            if (const int column = findStep(board, side, step.search, i); column != NoColumn)
                return column;
        }
    }
    return NoColumn;
}

// The rule procedures' contract: play what the rule found and say so.
bool playFound(Game &game, int column)
{
    if (column == NoColumn)
        return false;
    game.Butt_Click(column);
    return true;
}

} // namespace

bool isPlayable(const Board &board, int cell)
{
    assert(isBoardCell(cell));
    return rowOfCell(cell) == 0 || board.owner(cell - 1) != Player::None;
}

bool TryColumnRun(Game &game, Player side, int n, int need)
{
    return playFound(game, findColumnRun(game.board(), side, n, need));
}

bool MatchThreeWindow(Game &game, Player side, int pattern, int c1, int c2, int c3, int c4)
{
    assert(isSide(side) && pattern >= 0 && pattern < 4);
    return playFound(game, findInWindow(game.board(), side, ThreePatterns[at(pattern)], {c1, c2, c3, c4}));
}

bool MatchPairWindow(Game &game, Player side, int pattern, int c1, int c2, int c3, int c4)
{
    assert(isSide(side) && pattern >= 0 && pattern < 4);
    return playFound(game, findInWindow(game.board(), side, PairPatterns[at(pattern)], {c1, c2, c3, c4}));
}

bool TryRowThree(Game &game, Player side, int R)
{
    return playFound(game, findRowThree(game.board(), side, R));
}

bool TryDiagonalThree(Game &game, Player side)
{
    return playFound(game, findDiagonalThree(game.board(), side));
}

bool TryRowPair(Game &game, Player side, int R)
{
    return playFound(game, findRowPair(game.board(), side, R));
}

bool TryDiagonalPair(Game &game, Player side)
{
    return playFound(game, findDiagonalPair(game.board(), side));
}

int patternColumn(const Board &board, Player own)
{
    assert(isSide(own));
    const Player other = opponentOf(own);
    // Every three comes before any pair. Column 6 lies outside the passes: it
    // is examined for the other side only, once all the passes have failed.
    int column = findInPasses(board, own, ThreesPass);
    if (column == NoColumn)
        column = findColumnRun(board, other, 7, 3);
    if (column == NoColumn)
        column = findInPasses(board, own, PairsPass);
    if (column == NoColumn)
        column = findColumnRun(board, other, 7, 2);
    return column;
}

int chooseColumn(const Board &board, Player side, RandomGenerator &generator)
{
    if (const int column = patternColumn(board, side); column != NoColumn)
        return column;
    return chooseFallbackColumn(generator, board).column;
}

int hintColumn(const Game &game, RandomGenerator &generator)
{
    if (game.isGameOver())
        return NoColumn;
    return chooseColumn(game.board(), game.sideToMove(), generator);
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
    // With no column free (the turn order never allows it) there is nothing
    // to draw for, and playing nothing is better than drawing for ever.
    if (const int column = chooseColumn(game.board(), Player::Two, *m_generator); column != NoColumn)
        game.Butt_Click(column);
}

} // namespace vorni
