#include "RandomGenerator.h"

namespace vorni {

namespace {

// A bijective scrambler of 64 bits (the finaliser of SplitMix64).
constexpr std::uint64_t scramble(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
    return z ^ (z >> 31);
}

} // namespace

void RandomGenerator::reseed(std::uint64_t seed)
{
    m_state += scramble(seed) << 1;
}

double RandomGenerator::draw()
{
    m_state += Step;
    // The top 53 bits fill a double's mantissa exactly: x < 1 always.
    return static_cast<double>(scramble(m_state) >> 11) * 0x1.0p-53;
}

RandomGenerator &processGenerator()
{
    static RandomGenerator generator;
    return generator;
}

} // namespace vorni
