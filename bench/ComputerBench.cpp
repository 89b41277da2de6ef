// The computer's reply on random mid-game positions, and complete games with
// the computer on and Player 1 random.

#include "Allocations.h"
#include "Computers.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

using namespace vorni;

// Move sequences of an odd length from 5 to 31, leaving Player 2 to move.
std::vector<std::vector<int>> randomPositions(int count)
{
    std::mt19937 random(7);
    OptionValues options;
    std::vector<std::vector<int>> moves;
    for (int i = 0; i < count; ++i) {
        Game game(options);
        std::vector<int> played;
        const int plies = 2 * std::uniform_int_distribution<int>(2, 15)(random) + 1; // 5 to 31
        for (int m = 0; m < plies; ++m) {
            int column;
            do
                column = std::uniform_int_distribution<int>(0, Columns - 1)(random);
            while (!game.canPlay(column));
            game.Butt_Click(column);
            played.push_back(column);
        }
        moves.push_back(std::move(played));
    }
    return moves;
}

// One iteration: a copy of a prepared game and the computer's reply on it.
void BM_ComputerMove(benchmark::State &state)
{
    const std::vector<std::vector<int>> moves = randomPositions(1024);
    OptionValues options;
    std::vector<Game> games;
    games.reserve(moves.size());
    for (const auto &sequence : moves) {
        Game &game = games.emplace_back(options);
        for (int column : sequence)
            game.Butt_Click(column);
    }
    RandomGenerator random;
    Computer computer(random);
    std::size_t next = 0;
    const std::uint64_t allocationsBefore = bench::allocationCount();
    for (auto _ : state) {
        Game game = games[next];
        computer.ComputerMove(game);
        benchmark::DoNotOptimize(game.board());
        next = (next + 1) % games.size();
    }
    state.counters["allocs/move"] = benchmark::Counter(
        static_cast<double>(bench::allocationCount() - allocationsBefore), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ComputerMove);

// One iteration: a whole game, 21 random moves of Player 1 and the
// computer's 21 replies.
void BM_ComputerGame(benchmark::State &state)
{
    // Player 1 takes the k-th open column, k from a table made in advance.
    std::mt19937 choose(11);
    std::uniform_int_distribution<std::uint32_t> any;
    std::vector<std::uint32_t> picks(1 << 16);
    for (auto &pick : picks)
        pick = any(choose);
    std::size_t nextPick = 0;

    OptionValues options;
    options.computerOn = true;
    RandomGenerator random;
    Computer computer(random);
    Game game(options);
    game.setOpponent(&computer);
    const std::uint64_t allocationsBefore = bench::allocationCount();
    for (auto _ : state) {
        game.newGame();
        while (!game.isGameOver()) {
            int open[Columns];
            int count = 0;
            for (int c = 0; c < Columns; ++c) {
                if (game.canPlay(c))
                    open[count++] = c;
            }
            game.Butt_Click(open[picks[nextPick] % static_cast<std::uint32_t>(count)]);
            nextPick = (nextPick + 1) % picks.size();
        }
        benchmark::DoNotOptimize(game.board());
    }
    state.counters["allocs/game"] = benchmark::Counter(
        static_cast<double>(bench::allocationCount() - allocationsBefore), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ComputerGame);

} // namespace
