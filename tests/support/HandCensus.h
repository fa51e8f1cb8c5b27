#ifndef CORVALD_TESTS_SUPPORT_HAND_CENSUS_H
#define CORVALD_TESTS_SUPPORT_HAND_CENSUS_H

#include <array>
#include <cstdint>

#include "poker/Hand.h"

namespace poker::test {

// Hands per category, no_pair first, and the number of distinct hand values among them.
struct HandCensus {
    using Counts = std::array<std::uint64_t, Hand::straight_flush + 1>;
    Counts per_type{};
    std::uint64_t no_distinct = 0;
};

// Ranks every hand of `size` (at most 7) of the 52 cards, for comparison with the
// published counts.
HandCensus census_of_every_hand(unsigned size);

} // namespace poker::test

#endif
