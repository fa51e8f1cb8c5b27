#include "support/HandCensus.h"

#include <cassert>
#include <vector>

namespace poker::test {

HandCensus census_of_every_hand(unsigned size)
{
    constexpr unsigned max_size = 7;
    assert(size >= 1 && size <= max_size);
    // Every field of a Hand lies in -1 ... 12: four bits each after adding one.
    std::vector<bool> seen(std::size_t{1} << 24);
    HandCensus census;
    std::array<unsigned, max_size> index{};
    std::array<Card, max_size> hand;
    for (unsigned i = 0; i < size; ++i) {
        index[i] = i;
        hand[i] = Card::from_index(i);
    }
    for (;;) {
        const Hand ranked = Hand::best_hand(hand.data(), size);
        ++census.per_type[ranked.type];
        const int fields[] = {ranked.type, ranked.key1, ranked.key2,
                              ranked.key3, ranked.key4, ranked.key5};
        std::uint32_t key = 0;
        for (int field : fields)
            key = key << 4 | static_cast<std::uint32_t>(field + 1);
        if (!seen[key]) {
            seen[key] = true;
            ++census.no_distinct;
        }
        // Next set in lexicographic order: raise the last index that can still rise and
        // restart the ones after it just above it.
        int i = static_cast<int>(size) - 1;
        while (i >= 0 && index[i] == Card::no_cards - size + i)
            --i;
        if (i < 0)
            return census;
        ++index[i];
        for (unsigned j = i; j < size; ++j) {
            index[j] = index[i] + (j - i);
            hand[j] = Card::from_index(index[j]);
        }
    }
}

} // namespace poker::test
