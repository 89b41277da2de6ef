#pragma once

// The board of one game: owners, fill counts, closed columns, turn, scores and
// the scored-line flags. Where the cells lie on the window is the window's own
// business.
//
// Cells are numbered k = 1 + r + 6c, column c = 0..6 (letters "A".."G", left to
// right) and row r = 0..5 (bottom to top), so the numbers run up each column:
//
//      6 12 18 24 30 36 42     row 5 (row number 6)
//      5 11 17 23 29 35 41
//      4 10 16 22 28 34 40
//      3  9 15 21 27 33 39
//      2  8 14 20 26 32 38
//      1  7 13 19 25 31 37     row 0 (row number 1)
//      A  B  C  D  E  F  G
//
// Steps between neighbours: +1 up, +6 right, +7 up-right, -5 up-left.
// Rows are named by their row number R = r + 1 where lines are scored.

#include <array>
#include <cassert>
#include <cstdint>

namespace vorni {

constexpr int Columns = 7;
constexpr int Rows = 6;
constexpr int CellCount = Columns * Rows;
static_assert(CellCount == 42);

enum class Player : std::uint8_t { None = 0, One = 1, Two = 2 };

constexpr Player opponentOf(Player p)
{
    return p == Player::One ? Player::Two : Player::One;
}

constexpr int cellOf(int column, int row)
{
    return 1 + row + 6 * column;
}
constexpr int columnOfCell(int cell)
{
    return (cell - 1) / 6;
}
constexpr int rowOfCell(int cell)
{
    return (cell - 1) % 6;
}
constexpr bool isBoardCell(int cell)
{
    return cell >= 1 && cell <= CellCount;
}
constexpr bool isColumn(int column)
{
    return column >= 0 && column < Columns;
}

// The whole state of one game as plain data. The flag arrays keep the indexing
// of the rules: ColumnScored by column 0..6, the other three by row or diagonal
// number 1..6 (index 0 is never set).
struct Board {
    std::array<Player, CellCount + 1> owners{}; // index 0 is not a cell
    std::array<int, Columns> fill{};
    std::array<bool, Columns> closed{};
    Player sideToMove = Player::One;
    std::array<int, 2> scores{};
    bool gameOver = false;
    std::array<bool, 7> ColumnScored{};
    std::array<bool, 7> RowScored{};
    std::array<bool, 7> RisingScored{};
    std::array<bool, 7> FallingScored{};

    // k is a board cell 1..42.
    Player owner(int k) const
    {
        assert(isBoardCell(k));
        return owners[static_cast<std::size_t>(k)];
    }
    // c is a column 0..6.
    int fillCount(int c) const
    {
        assert(isColumn(c));
        return fill[static_cast<std::size_t>(c)];
    }
    bool isFull(int c) const { return fillCount(c) >= Rows; }
    bool isClosed(int c) const
    {
        assert(isColumn(c));
        return closed[static_cast<std::size_t>(c)];
    }
    int score(Player p) const
    {
        assert(p != Player::None);
        return scores[p == Player::One ? 0 : 1];
    }
    friend bool operator==(const Board &, const Board &) = default;
};

} // namespace vorni
