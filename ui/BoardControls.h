#pragma once

// The controls that show the board state, as the window makes them.

#include "Board.h"
#include "Controls.h"

#include <array>

namespace vorni {

class GameLinesView;

struct BoardControls {
    ImageControl *board = nullptr;                     // the board's picture, the cells lie on it
    std::array<ImageControl *, CellCount + 1> balls{}; // balls[0] is the falling ball
    std::array<ImageControl *, Columns> butt{};
    std::array<LabelControl *, Columns> buttLb{};
    ImageControl *nextImg = nullptr;
    LabelControl *nextLb = nullptr;
    LabelControl *p1 = nullptr;
    LabelControl *p2 = nullptr;
    std::array<LabelControl *, 2> gameOver{};
    GameLinesView *lines = nullptr;

    ImageControl *ball(int k) const { return balls[static_cast<std::size_t>(k)]; }
    ImageControl *button(int c) const { return butt[static_cast<std::size_t>(c)]; }
    LabelControl *letter(int c) const { return buttLb[static_cast<std::size_t>(c)]; }
};

} // namespace vorni
