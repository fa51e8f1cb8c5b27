#ifndef CORVALD_TESTS_SUPPORT_HAND_CENSUS_H
#define CORVALD_TESTS_SUPPORT_HAND_CENSUS_H

#include <array>
#include <cstdint>
#include <vector>

#include "poker/Hand.h"

namespace poker::test {

// Tallies ranked hands by category and counts the distinct hand values among them, for
// comparison with the published counts of every five- and seven-card hand.
class HandCensus {
public:
    static constexpr int no_types = Hand::straight_flush + 1;

    HandCensus();

    void add(const Hand& hand);

    std::uint64_t no_hands(Hand::Type type) const { return per_type[type]; }
    std::uint64_t no_distinct() const { return distinct; }

private:
    // Every field of a Hand lies in -1 ... 12, so four bits each after adding one.
    static std::uint32_t packed(const Hand& hand);

    std::array<std::uint64_t, no_types> per_type{};
    std::vector<bool> seen;
    std::uint64_t distinct = 0;
};

} // namespace poker::test

#endif
