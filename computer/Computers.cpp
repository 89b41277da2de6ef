#include "Computers.h"

namespace vorni {

void Computer::ComputerMove(Game &game)
{
    for (int c = 0; c < Columns; ++c) {
        if (!game.board().isFull(c)) {
            game.Butt_Click(c);
            return;
        }
    }
}

} // namespace vorni
