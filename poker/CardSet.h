#ifndef CORVALD_POKER_CARDSET_H
#define CORVALD_POKER_CARDSET_H

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>

#include "poker/Card.h"
#include "poker/Hand.h"

namespace poker {

// Distinct known cards in the form hand ranking works from: a 13-bit value mask per suit
// and a card count per suit. Cards shared by several hands are added once: the simulation
// builds the board's set and ranks each player on a copy with his two hole cards added.
//
// The ranking rules are those of Hand::best_hand, worked out on the masks: how often a
// value is held follows from how many suit masks have its bit. The common case (no flush,
// no three of a kind) is defined here so that the simulation's loop can inline it.
class CardSet {
public:
    // Adds a known card.
    void add(const Card& card)
    {
        const std::uint64_t card_bit = std::uint64_t{1} << (card.suit * suit_shift + card.value);
        repeated |= held & card_bit;
        held |= card_bit;
        suit_counters += 1u << (card.suit * counter_shift);
    }

    // False once a card was added twice. A card given twice counts twice in a hand, which
    // a set cannot express: such cards are ranked by Hand::best_hand on the card list.
    bool distinct() const { return repeated == 0; }

    // The strength of the best five-card hand of the set (Hand::strength). Needs at least
    // five cards, all distinct.
    std::uint32_t strength() const
    {
        assert(distinct());
        const Mask s = suit(0), h = suit(1), c = suit(2), d = suit(3);
        const Mask once = s | h | c | d;
        const Mask twice = (s & h) | (c & d) | ((s | h) & (c | d));
        const Mask thrice = (s & h & (c | d)) | (c & d & (s | h));
        if ((suit_counters & flush_bits) != 0 || thrice != 0)
            return strong_strength(once, twice, thrice);
        return ordinary_strength(once, twice);
    }

private:
    // Bit v stands for card value v.
    using Mask = unsigned;
    // For every value mask, its five highest values as the keys 1 to 5 of
    // Hand::strength_of (0 where the mask runs out).
    using KeyTable = std::array<std::uint32_t, std::size_t{1} << Card::no_values>;
    static const KeyTable top_five;

    static constexpr int suit_shift = 16;
    static constexpr Mask all_values = (1u << Card::no_values) - 1;
    // One byte per suit counts that suit's cards from 128 - 5, so the byte's top bit comes
    // on with the fifth card of the suit.
    static constexpr int counter_shift = 8;
    static constexpr std::uint32_t flush_bits = 0x80808080u;

    Mask suit(int index) const
    {
        return static_cast<Mask>(held >> (index * suit_shift)) & all_values;
    }

    static constexpr Mask bit(int value) { return 1u << value; }

    static int highest(Mask mask)
    {
        assert(mask != 0);
        return 31 - __builtin_clz(mask);
    }

    // The top value of the highest straight in `values`, 3 for A-2-3-4-5, else -1.
    static int straight_top(Mask values)
    {
        // Bit v + 1 stands for value v and bit 0 for the ace once more, so that A-2-3-4-5
        // is a run of five like any other.
        const Mask ranks = (values << 1) | (values >> (Card::no_values - 1));
        // Bit i survives when bits i to i + 4 are all set: a straight whose top card is
        // the value of bit i + 4, which is i + 3.
        const Mask runs = ranks & (ranks >> 1) & (ranks >> 2) & (ranks >> 3) & (ranks >> 4);
        return runs == 0 ? Hand::no_key : highest(runs) + 3;
    }

    static std::uint32_t category(Hand::Type type)
    {
        return Hand::strength_of(type, Hand::no_key, Hand::no_key, Hand::no_key, Hand::no_key,
                                 Hand::no_key);
    }

    // Value `value` as key number `position` (1 to 5).
    static constexpr std::uint32_t key(int value, int position)
    {
        return Hand::strength_key(value, position);
    }

    // No flush and no value held three times: a straight, two pair, one pair or no pair.
    // The last three are worked out side by side and the answer picked at the end, as
    // which of them it is cannot be foreseen.
    static std::uint32_t ordinary_strength(Mask once, Mask pairs)
    {
        const int top = straight_top(once);
        if (top != Hand::no_key)
            return category(Hand::straight) | key(top, 1);

        // With no pair, bit 0 stands in for the pair values; what is built from them is
        // then not chosen.
        const int high = highest(pairs | 1u);
        const Mask lower_pairs = pairs & ~bit(high);
        const int low = highest(lower_pairs | 1u);
        const std::uint32_t no_pair = category(Hand::no_pair) | top_five[once];
        // The kickers are the highest values left, moved down to keys 2 to 4 and key 3.
        const std::uint32_t one_pair = category(Hand::one_pair) | key(high, 1)
                                       | ((top_five[once & ~bit(high)] >> Hand::strength_key_bits)
                                          & Hand::strength_keys_mask(2, 4));
        const std::uint32_t two_pair =
            category(Hand::two_pair) | key(high, 1) | key(low, 2)
            | ((top_five[once & ~bit(high) & ~bit(low)] >> (2 * Hand::strength_key_bits))
               & Hand::strength_keys_mask(3, 3));
        return pairs == 0 ? no_pair : lower_pairs == 0 ? one_pair : two_pair;
    }

    // A flush, or a value held three or four times; the masks as strength() found them.
    std::uint32_t strong_strength(Mask once, Mask twice, Mask thrice) const;

    std::uint64_t held = 0;
    std::uint64_t repeated = 0;
    std::uint32_t suit_counters = 0x7B7B7B7Bu;
};

} // namespace poker

#endif
