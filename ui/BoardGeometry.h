#pragma once

// Where the board's cells lie on the window, in twips from the top-left corner of its client area. The
// rules name cells and columns; only the window places them.

#include "Board.h"

#include <QPointF>

#include <array>

namespace vorni {

// Top of each row, the bottom row first, and left of each column.
constexpr std::array<int, Rows> RowTop{5000, 4300, 3600, 2900, 2200, 1500};
constexpr std::array<int, Columns> ColumnLeft{2145, 2910, 3675, 4440, 5205, 5970, 6735};
// A cell is the size of the falling ball.
constexpr int CellWidth = 525;
constexpr int CellHeight = 465;
// Top of the falling ball when it appears over a column.
constexpr int DropStartTop = 580;

constexpr int rowTop(int row)
{
    return RowTop[static_cast<std::size_t>(row)];
}
constexpr int columnLeft(int column)
{
    return ColumnLeft[static_cast<std::size_t>(column)];
}

// Centre of cell 1..42, where game lines start and end; fractions are kept.
constexpr QPointF cellCentre(int cell)
{
    return {columnLeft(columnOfCell(cell)) + CellWidth / 2.0, rowTop(rowOfCell(cell)) + CellHeight / 2.0};
}

} // namespace vorni
