#ifndef CORVALD_POKER_HAND_H
#define CORVALD_POKER_HAND_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "poker/Card.h"

namespace poker {

// The best five-card poker hand among a set of cards, reduced to a category and up to
// five card values in falling order of significance (-1 where the category needs
// fewer), so that two hands compare by plain lexicographic order: the category first,
// then the keys, kickers included. Equal hands split the pot.
class Hand {
public:
    // Categories in rising order of strength.
    enum Type : int {
        no_pair = 0,
        one_pair = 1,
        two_pair = 2,
        three_of_a_kind = 3,
        straight = 4,
        flush = 5,
        full_house = 6,
        four_of_a_kind = 7,
        straight_flush = 8,
    };

    // Absent keys read -1, below every card value.
    static constexpr int no_key = -1;

    Hand(Type type, int key1, int key2, int key3, int key4, int key5)
        : type(type), key1(key1), key2(key2), key3(key3), key4(key4), key5(key5)
    {
    }

    // Lexicographic over (type, key1, ..., key5) as signed ints.
    bool operator<(const Hand& other) const;
    bool operator==(const Hand& other) const;
    bool operator!=(const Hand& other) const { return !(*this == other); }

    // The best hand of the known cards among `cards`; unknown cards are skipped. At
    // least five cards must be known. Allocates nothing: the simulation calls it for
    // every player of every simulated hand.
    static Hand best_hand(const Card* cards, std::size_t count);
    static Hand best_hand(const std::vector<Card>& cards);

    // The same ranking worked out by the literal counting rules, card by card (a card given
    // twice counts twice). best_hand falls back on it for repeated cards; for distinct
    // cards it is the independent definition the fast ranking is held against.
    static Hand counted_best_hand(const Card* cards, std::size_t count);

    // The layout of strength(): the category above five keys of four bits each, key 1
    // the highest; each key is raised by one, so that 0 stands for no key.
    static constexpr int strength_key_bits = 4;
    static constexpr int strength_keys = 5;
    static constexpr int strength_category_shift = strength_key_bits * strength_keys;

    // `key` (a value or no_key) in the place of key number `position`, 1 to 5.
    static constexpr std::uint32_t strength_key(int key, int position)
    {
        return static_cast<std::uint32_t>(key + 1) << strength_key_bits * (strength_keys - position);
    }
    // The bits of keys `first` to `last` of a strength.
    static constexpr std::uint32_t strength_keys_mask(int first, int last)
    {
        return ((std::uint32_t{1} << strength_key_bits * (last - first + 1)) - 1)
               << strength_key_bits * (strength_keys - last);
    }

    // The hand as one number that orders as the hands do: a < b exactly when
    // a.strength() < b.strength(). Needs a category and keys in their ranges.
    static constexpr std::uint32_t strength_of(Type type, int key1, int key2, int key3, int key4,
                                               int key5)
    {
        return static_cast<std::uint32_t>(type) << strength_category_shift | strength_key(key1, 1)
               | strength_key(key2, 2) | strength_key(key3, 3) | strength_key(key4, 4)
               | strength_key(key5, 5);
    }
    std::uint32_t strength() const { return strength_of(type, key1, key2, key3, key4, key5); }
    static Hand from_strength(std::uint32_t strength);

    // "No pair" ... "Straight Flush"; "ERROR" for anything outside the categories.
    static const char* type_name(Type type);

    Type type;
    int key1;
    int key2;
    int key3;
    int key4;
    int key5;

private:
    // best_hand by card set, or by the counting rules when a card is given twice. Kept
    // out of line so that the table's case stays small.
    [[gnu::noinline]] static Hand ranked_by_rules(const Card* cards, std::size_t count);
};

} // namespace poker

#endif
