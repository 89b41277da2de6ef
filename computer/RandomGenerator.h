#pragma once

// The computer's source of random columns. It starts every run in the same
// state and is never seeded from the clock, so the same moves of Player 1
// bring the same replies after a restart of the program.

#include <cstdint>

namespace vorni {

class RandomGenerator {
public:
    // Every generator starts in the same fixed state.
    RandomGenerator() = default;

    // Mixes seed into the running state. Re-seeding with the same number
    // before every draw does not restart the sequence: the draws keep
    // spreading over the whole range.
    void reseed(std::uint64_t seed);

    // A uniform draw x with 0 <= x < 1.
    double draw();

    // The whole running state: setting a state saved earlier brings back the
    // same draws from there, so a move taken back gets the same reply again.
    std::uint64_t state() const { return m_state; }
    void setState(std::uint64_t state) { m_state = state; }

    friend bool operator==(const RandomGenerator &, const RandomGenerator &) = default;

private:
    // A counter stepped by an odd number and scrambled on the way out. Re-seeding
    // adds an even offset, so a re-seed and a draw together still step the counter
    // by an odd amount, whatever the seed: the counter runs through all 2^64
    // states before it repeats.
    static constexpr std::uint64_t Step = 0x9E3779B97F4A7C15; // odd
    static constexpr std::uint64_t StartState = 0x243F6A8885A308D3;
    std::uint64_t m_state = StartState;
};

// The generator the computer uses: one per process, in its start state until
// the first random reply.
RandomGenerator &processGenerator();

} // namespace vorni
