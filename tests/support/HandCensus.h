#ifndef CORVALD_TESTS_SUPPORT_HAND_CENSUS_H
#define CORVALD_TESTS_SUPPORT_HAND_CENSUS_H

#include <array>
#include <cassert>
#include <cstdint>
#include <vector>

#include "poker/Hand.h"

namespace poker::test {

// Hands per category (no_pair first) and distinct hand values among every hand of a size.
struct HandCensus {
    using Counts = std::array<std::uint64_t, Hand::straight_flush + 1>;
    Counts per_type{};
    std::uint64_t no_distinct = 0;
};

// Ranks every hand of `size` (5 to 7) of the 52 cards.
inline HandCensus census_of_every_hand(unsigned size)
{
    constexpr unsigned max_size = 7;
    assert(size >= 5 && size <= max_size);
    // Every field of a Hand lies in -1 ... 12: four bits each after adding one.
    std::vector<bool> seen(std::size_t{1} << 24);
    std::array<Card, max_size> hand;
    HandCensus census;
    // Fills places `depth` on with cards from index `first` up, in rising order.
    const auto fill = [&](const auto& self, unsigned depth, unsigned first) -> void {
        if (depth == size) {
            const Hand h = Hand::best_hand(hand.data(), size);
            ++census.per_type[h.type];
            std::uint32_t key = 0;
            for (int field : {int{h.type}, h.key1, h.key2, h.key3, h.key4, h.key5})
                key = key << 4 | static_cast<std::uint32_t>(field + 1);
            census.no_distinct += seen[key] ? 0 : 1;
            seen[key] = true;
            return;
        }
        for (unsigned i = first; i + size - depth <= Card::no_cards; ++i) {
            hand[depth] = Card::from_index(i);
            self(self, depth + 1, i + 1);
        }
    };
    fill(fill, 0, 0);
    return census;
}

} // namespace poker::test

#endif
