// A complete two-person game through the rules, all scans included.

#include "Allocations.h"
#include "Game.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

using namespace vorni;

// Random complete games, made before timing so the loop measures the rules only.
std::vector<std::array<int, CellCount>> randomGames(int count)
{
    std::mt19937 random(42);
    OptionValues options;
    std::vector<std::array<int, CellCount>> games(static_cast<std::size_t>(count));
    for (auto &moves : games) {
        Game game(options);
        for (int &move : moves) {
            do
                move = std::uniform_int_distribution<int>(0, Columns - 1)(random);
            while (!game.canPlay(move));
            game.Butt_Click(move);
        }
    }
    return games;
}

void BM_TwoPeopleGame(benchmark::State &state)
{
    const auto games = randomGames(1024);
    OptionValues options;
    Game game(options);
    std::size_t next = 0;
    const std::uint64_t allocationsBefore = bench::allocationCount();
    for (auto _ : state) {
        game.newGame();
        for (int column : games[next])
            game.Butt_Click(column);
        benchmark::DoNotOptimize(game.board());
        next = (next + 1) % games.size();
    }
    state.counters["allocs/game"] = benchmark::Counter(
        static_cast<double>(bench::allocationCount() - allocationsBefore), benchmark::Counter::kAvgIterations);
    if (!game.isGameOver())
        state.SkipWithError("game did not end");
}
BENCHMARK(BM_TwoPeopleGame);

} // namespace
