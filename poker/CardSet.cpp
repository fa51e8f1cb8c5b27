#include "poker/CardSet.h"

namespace poker {

namespace {

using KeyTable = std::array<std::uint32_t, std::size_t{1} << Card::no_values>;

// Each entry from a smaller one: the highest value of the mask as key 1, and the keys of
// the rest moved down one place (the fifth key of the rest falls off).
constexpr KeyTable make_top_five()
{
    KeyTable keys{};
    for (std::size_t mask = 1; mask < keys.size(); ++mask) {
        int top = Card::no_values - 1;
        while ((mask & (std::size_t{1} << top)) == 0)
            --top;
        const std::size_t rest = mask & ~(std::size_t{1} << top);
        keys[mask] = Hand::strength_key(top, 1) | keys[rest] >> Hand::strength_key_bits;
    }
    return keys;
}

} // namespace

constexpr CardSet::KeyTable CardSet::top_five = make_top_five();

std::uint32_t CardSet::strong_strength(Mask once, Mask twice, Mask thrice) const
{
    const Mask suits[Card::no_suits] = {suit(0), suit(1), suit(2), suit(3)};
    const Mask fours = suits[0] & suits[1] & suits[2] & suits[3];

    // The highest suit with five cards or more.
    const std::uint32_t flushes = suit_counters & flush_bits;
    const int flush_suit = flushes == 0 ? Hand::no_key : highest(flushes) / counter_shift;
    if (flush_suit != Hand::no_key) {
        int top = Hand::no_key;
        for (Mask values : suits) {
            const int suit_top = straight_top(values);
            top = suit_top > top ? suit_top : top;
        }
        if (top != Hand::no_key)
            return category(Hand::straight_flush) | key(top, 1);
    }

    if (fours != 0) {
        const int four = highest(fours);
        return category(Hand::four_of_a_kind) | key(four, 1)
               | ((top_five[once & ~bit(four)] >> Hand::strength_key_bits)
                  & Hand::strength_keys_mask(2, 2));
    }
    // No value is held four times from here on, so `thrice` holds the threes of a kind.
    if (thrice != 0) {
        const int three = highest(thrice);
        const Mask others = twice & ~bit(three);
        if (others != 0)
            return category(Hand::full_house) | key(three, 1) | key(highest(others), 2);
    }
    if (flush_suit != Hand::no_key)
        return category(Hand::flush) | top_five[suits[flush_suit]];
    // Without a flush, only a three of a kind brings a set here.
    assert(thrice != 0);

    const int top = straight_top(once);
    if (top != Hand::no_key)
        return category(Hand::straight) | key(top, 1);
    const int three = highest(thrice);
    return category(Hand::three_of_a_kind) | key(three, 1)
           | ((top_five[once & ~bit(three)] >> Hand::strength_key_bits)
              & Hand::strength_keys_mask(2, 3));
}

} // namespace poker
