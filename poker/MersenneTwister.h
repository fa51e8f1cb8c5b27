#ifndef CORVALD_POKER_MERSENNETWISTER_H
#define CORVALD_POKER_MERSENNETWISTER_H

#include <array>
#include <cstddef>
#include <cstdint>

namespace poker {

// The 32-bit Mersenne Twister MT19937 with the standard single-value seeding: the same
// outputs, in the same order, as boost::mt19937 (and std::mt19937) seeded alike. The
// outputs are made a block of 624 at a time (the twist over the whole state, then the
// tempering of every word) and handed out one by one: the recurrence reads only words
// of the state, never earlier outputs, so making them together changes no output.
class MersenneTwister {
public:
    static constexpr std::size_t state_size = 624;

    explicit MersenneTwister(std::uint32_t seed);

    // The next output.
    std::uint32_t operator()()
    {
        if (next == state_size)
            refill();
        return block[next++];
    }

    // The place of the next output in the current block (state_size when it is spent),
    // and that block, for a caller that keeps the place in a register of its own; it
    // hands the place back with set_place before the next call of operator().
    std::size_t place() const { return next; }
    void set_place(std::size_t place) { next = place; }
    std::uint32_t output_at(std::size_t place) const { return block[place]; }

    // Twists the state into its next generation and tempers it into the block; the
    // place becomes 0.
    void refill();

private:
    std::array<std::uint32_t, state_size> state;
    std::array<std::uint32_t, state_size> block;
    // The place in `block` of the next output; state_size when the block is spent.
    std::size_t next = state_size;
};

} // namespace poker

#endif
