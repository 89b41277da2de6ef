#pragma once

// The windows of four cells that the computer's row and diagonal searches
// scan, in scan order. A window lists its cells c1, c2, c3, c4 in the order
// the patterns read them. Cell numbers as in Board.h: k = 1 + r + 6c.

#include "Board.h"

#include <array>

namespace vorni {

using Window = std::array<int, 4>;

// W1..W8 of a row, as the columns of their cells: W5..W8 are W4..W1 read
// from right to left.
constexpr std::array<std::array<int, 4>, 8> RowWindowColumns{{
    {0, 1, 2, 3}, // W1
    {1, 2, 3, 4}, // W2
    {2, 3, 4, 5}, // W3
    {3, 4, 5, 6}, // W4
    {6, 5, 4, 3}, // W5
    {5, 4, 3, 2}, // W6
    {4, 3, 2, 1}, // W7
    {3, 2, 1, 0}, // W8
}};

// Window Ww (w = 1..8) of row number R (1..6).
constexpr Window rowWindow(int R, int w)
{
    const auto &columns = RowWindowColumns[static_cast<std::size_t>(w - 1)];
    return {R + 6 * columns[0], R + 6 * columns[1], R + 6 * columns[2], R + 6 * columns[3]};
}

// RW1..RW12: lower left to upper right (+7 a step), each from its lowest cell.
constexpr std::array<Window, 12> RisingWindows{{
    {3, 10, 17, 24},  // RW1
    {2, 9, 16, 23},   // RW2
    {9, 16, 23, 30},  // RW3
    {1, 8, 15, 22},   // RW4
    {8, 15, 22, 29},  // RW5
    {15, 22, 29, 36}, // RW6
    {7, 14, 21, 28},  // RW7
    {14, 21, 28, 35}, // RW8
    {21, 28, 35, 42}, // RW9
    {13, 20, 27, 34}, // RW10
    {20, 27, 34, 41}, // RW11
    {19, 26, 33, 40}, // RW12
}};

// FW1..FW12: lower right to upper left (-5 a step), each from its lowest
// cell; FWn is RWn mirrored (column c becomes column 6 - c).
constexpr std::array<Window, 12> FallingWindows{{
    {39, 34, 29, 24}, // FW1
    {38, 33, 28, 23}, // FW2
    {33, 28, 23, 18}, // FW3
    {37, 32, 27, 22}, // FW4
    {32, 27, 22, 17}, // FW5
    {27, 22, 17, 12}, // FW6
    {31, 26, 21, 16}, // FW7
    {26, 21, 16, 11}, // FW8
    {21, 16, 11, 6},  // FW9
    {25, 20, 15, 10}, // FW10
    {20, 15, 10, 5},  // FW11
    {19, 14, 9, 4},   // FW12
}};

static_assert(Columns == 7 && Rows == 6, "the window tables are drawn for a board of 7 columns and 6 rows");

} // namespace vorni
