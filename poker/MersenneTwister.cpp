#include "poker/MersenneTwister.h"

namespace poker {

namespace {

// The MT19937 parameters.
constexpr std::size_t n = MersenneTwister::state_size;
constexpr std::size_t m = 397;
constexpr std::uint32_t matrix = 0x9908B0DFu;
constexpr std::uint32_t upper_bit = 0x80000000u;
constexpr std::uint32_t lower_bits = 0x7FFFFFFFu;
constexpr std::uint32_t seeding_multiplier = 1812433253u;

// The next word of generation i + 1 from words i, i + 1 and i + m of the state.
constexpr std::uint32_t twist(std::uint32_t word, std::uint32_t next, std::uint32_t far)
{
    const std::uint32_t y = (word & upper_bit) | (next & lower_bits);
    // The branch-free form of "xor the matrix when y is odd".
    return far ^ (y >> 1) ^ (matrix & (0u - (y & 1u)));
}

constexpr std::uint32_t temper(std::uint32_t y)
{
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    return y ^ (y >> 18);
}

} // namespace

MersenneTwister::MersenneTwister(std::uint32_t seed)
{
    state[0] = seed;
    for (std::size_t i = 1; i < n; ++i) {
        const std::uint32_t previous = state[i - 1];
        state[i] =
            seeding_multiplier * (previous ^ (previous >> 30)) + static_cast<std::uint32_t>(i);
    }
}

void MersenneTwister::refill()
{
    // Word i of the new generation needs word i + m: of the old generation while
    // i + m < n, else of the new one, already made. Three loops keep each one
    // free of that test.
    std::size_t i = 0;
    for (; i < n - m; ++i)
        state[i] = twist(state[i], state[i + 1], state[i + m]);
    for (; i < n - 1; ++i)
        state[i] = twist(state[i], state[i + 1], state[i + m - n]);
    state[n - 1] = twist(state[n - 1], state[0], state[m - 1]);
    for (std::size_t j = 0; j < n; ++j)
        block[j] = temper(state[j]);
    next = 0;
}

} // namespace poker
