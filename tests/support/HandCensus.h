#ifndef CORVALD_TESTS_SUPPORT_HAND_CENSUS_H
#define CORVALD_TESTS_SUPPORT_HAND_CENSUS_H

#include <array>
#include <cstdint>

#include "poker/Hand.h"

namespace poker::test {

// Hands per category (no_pair first) and distinct hand values among every hand of a size.
struct HandCensus {
    using Counts = std::array<std::uint64_t, Hand::straight_flush + 1>;
    Counts per_type{};
    std::uint64_t no_distinct = 0;
};

// Ranks every hand of `size` (1 to 7) of the 52 cards.
HandCensus census_of_every_hand(unsigned size);

} // namespace poker::test

#endif
