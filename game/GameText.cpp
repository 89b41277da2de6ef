#include "GameText.h"

namespace vorni {

std::string gameText(const Game &game)
{
    std::string text;
    for (const int column : game.moves()) {
        text += columnLetter(column);
        text += ' ';
    }
    if (!text.empty())
        text += "- ";
    const Board &board = game.board();
    text += std::to_string(board.score(Player::One)) + " : " + std::to_string(board.score(Player::Two));
    if (game.isGameOver()) {
        text += " - ";
        text += resultText(game.result());
    }
    return text;
}

} // namespace vorni
