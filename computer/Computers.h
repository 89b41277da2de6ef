#pragma once

// The computer opponent: answers Player 1's move with fixed pattern rules.

#include "Game.h"

namespace vorni {

class Computer final : public Opponent {
public:
    void ComputerMove(Game &game) override;
};

} // namespace vorni
