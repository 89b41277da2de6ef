// The game as one line of text, after a column sequence (1-based) and steps taken back.

#include "GameText.h"
#include "Positions.h"

namespace vorni {
namespace {

TEST(GameText, LettersOfTheBallsOnTheBoardThenTheScoresAndAtTheEndTheResult)
{
    const struct {
        const char *moves;
        int stepsBack;
        const char *text;
    } rows[] = {
        {"", 0, "0 : 0"},
        {"4453", 0, "D D E C - 0 : 0"},
        {"1212121", 0, "A B A B A B A - 1 : 0"}, // Player 1's four in column A
        {"1212121", 1, "A B A B A B - 0 : 0"},   // not the move redo could bring
        {"111111 222222 333333 444444 555555 666666 777777", 0,
         "A A A A A A B B B B B B C C C C C C D D D D D D "
         "E E E E E E F F F F F F G G G G G G - 3 : 3 - Both are Equal"}, // rows 1, 3, 5 against 2, 4, 6
    };
    for (const auto &row : rows) {
        OptionValues options;
        Game game(options);
        ASSERT_TRUE(testing::play(game, row.moves));
        for (int i = 0; i < row.stepsBack; ++i)
            ASSERT_TRUE(game.undo());
        EXPECT_EQ(gameText(game), row.text) << row.moves;
    }
}

} // namespace
} // namespace vorni
