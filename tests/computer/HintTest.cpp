// Hints: the rules' column for the side to move, asked without playing.

#include "ComputerTesting.h"

#include <random>
#include <tuple>

namespace vorni {
namespace {

// Positions (1-based columns, computer off) where the rules judge for the side
// to move as for the computer, own and other side swapped for Player 1. Chance
// alone would give another column in every row.
TEST(Hints, RulesDecideForEitherSideWithTheRolesSwapped)
{
    const struct {
        const char *moves;
        int column;
        bool byChance; // no rule applies: the hint is drawn, and column is wrong
    } rows[] = {
        {"121212", 0, false}, // Player 1 completes its three in pass 1 before blocking in pass 2
        {"12121", 0, false},  // Player 2 blocks Player 1's three in a two-person game
        {"171727", 6, false}, // Player 1 blocks Player 2's three in column 6 before extending its own pair
        {"717172", 2, false}, // its own three in column 6 is not seen: it blocks Player 2's row pair
        {"1737", 6, false},   // it blocks Player 2's vertical pair in column 6
        {"3137", 2, false},   // it extends its own vertical pair
        {"1474", 3, true},    // Player 2's vertical pair in column 3 is not looked for
    };
    for (const auto &row : rows) {
        OptionValues options;
        Game game(options);
        ASSERT_TRUE(testing::play(game, row.moves));
        RandomGenerator fresh;
        RandomGenerator generator;
        const int chance = chooseFallbackColumn(fresh, game.board()).column;
        ASSERT_NE(chance, row.column) << row.moves;
        EXPECT_EQ(hintColumn(game, generator), row.byChance ? chance : row.column) << row.moves;
    }
}

// Random games, the computer on in every other one, each played twice: with
// hints at random moments and without. A hint changes nothing (board, lines,
// undo and redo, the computer's generator) and names a playable column; the
// two games, steps taken back included, stay alike to the end.
TEST(Hints, ChangeNothingAndTheGameGoesOnAsWithoutThem)
{
    std::mt19937 random(20261209);
    RandomGenerator hintGenerator;
    RandomGenerator hintedRandom;
    RandomGenerator plainRandom;
    Computer hintedComputer(hintedRandom);
    Computer plainComputer(plainRandom);
    OptionValues options;
    Game hinted(options);
    Game plain(options);
    hinted.setOpponent(&hintedComputer);
    plain.setOpponent(&plainComputer);
    const auto state
        = [&] { return std::tuple(testing::positionOf(hinted, &hintedComputer), hinted.canUndo(), hinted.canRedo()); };
    for (int g = 0; g < 10'000; ++g) {
        options.computerOn = g % 2 == 0;
        hinted.newGame();
        plain.newGame();
        while (!hinted.isGameOver()) {
            if (random() % 3 == 0) {
                const auto before = state();
                ASSERT_TRUE(hinted.canPlay(hintColumn(hinted, hintGenerator))) << "game " << g;
                ASSERT_TRUE(state() == before) << "game " << g;
            }
            if (const auto action = random() % 8; action == 0) {
                ASSERT_EQ(hinted.undo(), plain.undo());
            } else if (action == 1) {
                ASSERT_EQ(hinted.redo(), plain.redo());
            } else {
                const int column = static_cast<int>(random() % Columns);
                hinted.Butt_Click(column); // a full column changes nothing
                plain.Butt_Click(column);
            }
            ASSERT_TRUE(testing::positionOf(hinted, &hintedComputer) == testing::positionOf(plain, &plainComputer))
                << "game " << g;
        }
        ASSERT_EQ(hintColumn(hinted, hintGenerator), NoColumn) << "no hint once the game is over";
    }
}

} // namespace
} // namespace vorni
