#include "poker/Hand.h"

#include <cassert>
#include <cstdint>
#include <tuple>

namespace poker {

namespace {

constexpr int no_values = Card::no_values;
constexpr int no_suits = Card::no_suits;
constexpr int ace = no_values - 1;
constexpr int five = 3;
constexpr int hand_size = 5;
constexpr int flush_size = 5;
constexpr int none = Hand::no_key;

// ---------------------------------------------------------------------------------------
// The ranking rules, stated on counting arrays. This is the definition of what
// best_hand returns; the mask evaluation further down computes the same result faster
// for sets of distinct cards, and a set that holds some card twice is ranked here, where
// such a card simply counts twice.

// Cards per suit and cards per value of the known cards.
void simple_bucket_sort(const Card* cards, std::size_t count, int (&suit_counts)[no_suits],
                        int (&value_counts)[no_values])
{
    for (int& n : suit_counts)
        n = 0;
    for (int& n : value_counts)
        n = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (cards[i].is_unknown())
            continue;
        ++suit_counts[cards[i].suit];
        ++value_counts[cards[i].value];
    }
}

// Cards per suit and value: thirteen value counts per suit, suit after suit.
void full_bucket_sort(const Card* cards, std::size_t count,
                      int (&counts)[no_suits * no_values])
{
    for (int& n : counts)
        n = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!cards[i].is_unknown())
            ++counts[cards[i].suit * no_values + cards[i].value];
    }
}

// The top of the highest run of five or more values present in `counts` (thirteen
// value counts); failing that 3 for A-2-3-4-5, where the ace plays low; else -1.
int find_straight(const int* counts)
{
    int top = none;
    int run = 0;
    for (int value = 0; value < no_values; ++value) {
        run = counts[value] > 0 ? run + 1 : 0;
        if (run >= hand_size)
            top = value;
    }
    if (top == none && counts[ace] > 0) {
        bool wheel = true;
        for (int value = 0; value <= five; ++value)
            wheel = wheel && counts[value] > 0;
        if (wheel)
            top = five;
    }
    return top;
}

// The highest value held exactly four times, exactly three times, and the two highest
// held exactly twice; -1 for each that is not found.
void find_groups(const int (&counts)[no_values], int& four, int& three, int& pair_high,
                 int& pair_low)
{
    four = three = pair_high = pair_low = none;
    for (int value = 0; value < no_values; ++value) {
        if (counts[value] == 4) {
            four = value;
        } else if (counts[value] == 3) {
            three = value;
        } else if (counts[value] == 2) {
            pair_low = pair_high;
            pair_high = value;
        }
    }
}

// The highest suit with five or more cards, or -1.
int find_flush(const int (&suit_counts)[no_suits])
{
    for (int suit = no_suits - 1; suit >= 0; --suit) {
        if (suit_counts[suit] >= flush_size)
            return suit;
    }
    return none;
}

// Fills keys[0 .. wanted-1] with the highest values present in `counts`, leaving out
// `skip1` and `skip2`; -1 once the values run out. Keys from `wanted` on stay -1.
void highest_present(const int* counts, int wanted, int skip1, int skip2,
                     int (&keys)[hand_size])
{
    for (int& key : keys)
        key = none;
    int found = 0;
    for (int value = ace; value >= 0 && found < wanted; --value) {
        if (counts[value] > 0 && value != skip1 && value != skip2)
            keys[found++] = value;
    }
}

Hand counted_best_hand(const Card* cards, std::size_t count)
{
    int suit_counts[no_suits];
    int value_counts[no_values];
    simple_bucket_sort(cards, count, suit_counts, value_counts);
    const int straight_top = find_straight(value_counts);
    int four, three, pair_high, pair_low;
    find_groups(value_counts, four, three, pair_high, pair_low);
    const int flush_suit = find_flush(suit_counts);

    int counts[no_suits * no_values];
    if (flush_suit != none) {
        full_bucket_sort(cards, count, counts);
        int top = none;
        for (int suit = 0; suit < no_suits; ++suit) {
            const int suit_top = find_straight(counts + suit * no_values);
            top = suit_top > top ? suit_top : top;
        }
        if (top != none)
            return Hand(Hand::straight_flush, top, none, none, none, none);
    }

    int keys[hand_size];
    if (four != none) {
        highest_present(value_counts, 1, four, none, keys);
        return Hand(Hand::four_of_a_kind, four, keys[0], none, none, none);
    }
    if (three != none) {
        for (int value = ace; value >= 0; --value) {
            if (value != three && value_counts[value] >= 2)
                return Hand(Hand::full_house, three, value, none, none, none);
        }
    }
    if (flush_suit != none) {
        highest_present(counts + flush_suit * no_values, hand_size, none, none, keys);
        return Hand(Hand::flush, keys[0], keys[1], keys[2], keys[3], keys[4]);
    }
    if (straight_top != none)
        return Hand(Hand::straight, straight_top, none, none, none, none);
    if (three != none) {
        highest_present(value_counts, 2, three, none, keys);
        return Hand(Hand::three_of_a_kind, three, keys[0], keys[1], none, none);
    }
    if (pair_high == none) {
        highest_present(value_counts, hand_size, none, none, keys);
        return Hand(Hand::no_pair, keys[0], keys[1], keys[2], keys[3], keys[4]);
    }
    if (pair_low == none) {
        highest_present(value_counts, 3, pair_high, none, keys);
        return Hand(Hand::one_pair, pair_high, keys[0], keys[1], keys[2], none);
    }
    // With three pairs the lowest one's value is a candidate for the kicker.
    highest_present(value_counts, 1, pair_high, pair_low, keys);
    return Hand(Hand::two_pair, pair_high, pair_low, keys[0], none, none);
}

// ---------------------------------------------------------------------------------------
// The same rules on bit masks, for distinct cards. A value mask has bit v set for card
// value v; a card set keeps one value mask per suit, and how often a value is held
// follows from how many suit masks have its bit.

using Mask = unsigned;

constexpr Mask all_values = (1u << no_values) - 1;

// A card set packs its four suit masks into one word, 16 bits per suit.
constexpr int suit_shift = 16;

// One byte per suit counts that suit's cards from 128 - 5, so the byte's top bit comes on
// with the fifth card of the suit (and stays on past 52 cards).
constexpr int counter_shift = 8;
constexpr std::uint32_t suit_counters_start = 0x7B7B7B7Bu;
constexpr std::uint32_t flush_bits = 0x80808080u;

constexpr Mask bit(int value)
{
    return 1u << value;
}

int highest(Mask mask)
{
    assert(mask != 0);
    return 31 - __builtin_clz(mask);
}

// The highest value of `mask`, which loses it; -1 once the mask is empty.
int take_highest(Mask& mask)
{
    if (mask == 0)
        return none;
    const int value = highest(mask);
    mask &= ~bit(value);
    return value;
}

// find_straight on a mask: the top of the highest straight, 3 for the wheel, or -1.
int straight_top(Mask values)
{
    // Bit v + 1 stands for value v and bit 0 for the ace once more, so that A-2-3-4-5 is
    // a run of five like any other.
    const Mask ranks = (values << 1) | (values >> ace);
    // Bit i survives when bits i to i + 4 are all set: a straight whose top card is the
    // value of bit i + 4, which is i + 3.
    const Mask runs = ranks & (ranks >> 1) & (ranks >> 2) & (ranks >> 3) & (ranks >> 4);
    return runs == 0 ? none : highest(runs) + 3;
}

Hand masked_best_hand(std::uint64_t held, std::uint32_t suit_counters)
{
    Mask suits[no_suits];
    for (int suit = 0; suit < no_suits; ++suit)
        suits[suit] = static_cast<Mask>(held >> (suit * suit_shift)) & all_values;
    const Mask s = suits[0], h = suits[1], c = suits[2], d = suits[3];

    // Values held at least once, twice, three times, and four times.
    const Mask once = s | h | c | d;
    const Mask twice = (s & h) | (c & d) | ((s | h) & (c | d));
    const Mask thrice = (s & h & (c | d)) | (c & d & (s | h));
    const Mask fours = s & h & c & d;

    const std::uint32_t flushes = suit_counters & flush_bits;
    const int flush_suit = flushes == 0 ? none : highest(flushes) / counter_shift;
    if (flush_suit != none) {
        int top = none;
        for (Mask suit : suits) {
            const int suit_top = straight_top(suit);
            top = suit_top > top ? suit_top : top;
        }
        if (top != none)
            return Hand(Hand::straight_flush, top, none, none, none, none);
    }

    if (fours != 0) {
        const int four = highest(fours);
        Mask others = once & ~bit(four);
        return Hand(Hand::four_of_a_kind, four, take_highest(others), none, none, none);
    }
    // No value is held four times from here on, so `thrice` holds the threes of a kind.
    if (thrice != 0) {
        const int three = highest(thrice);
        const Mask others = twice & ~bit(three);
        if (others != 0)
            return Hand(Hand::full_house, three, highest(others), none, none, none);
    }
    if (flush_suit != none) {
        Mask values = suits[flush_suit];
        const int k1 = take_highest(values);
        const int k2 = take_highest(values);
        const int k3 = take_highest(values);
        const int k4 = take_highest(values);
        const int k5 = take_highest(values);
        return Hand(Hand::flush, k1, k2, k3, k4, k5);
    }
    const int top = straight_top(once);
    if (top != none)
        return Hand(Hand::straight, top, none, none, none, none);
    if (thrice != 0) {
        const int three = highest(thrice);
        Mask others = once & ~bit(three);
        const int k2 = take_highest(others);
        const int k3 = take_highest(others);
        return Hand(Hand::three_of_a_kind, three, k2, k3, none, none);
    }
    // No value is held three times from here on, so `twice` holds the pairs.
    Mask pairs = twice;
    if (pairs == 0) {
        Mask values = once;
        const int k1 = take_highest(values);
        const int k2 = take_highest(values);
        const int k3 = take_highest(values);
        const int k4 = take_highest(values);
        const int k5 = take_highest(values);
        return Hand(Hand::no_pair, k1, k2, k3, k4, k5);
    }
    const int pair_high = take_highest(pairs);
    Mask others = once & ~bit(pair_high);
    if (pairs == 0) {
        const int k2 = take_highest(others);
        const int k3 = take_highest(others);
        const int k4 = take_highest(others);
        return Hand(Hand::one_pair, pair_high, k2, k3, k4, none);
    }
    const int pair_low = highest(pairs);
    others &= ~bit(pair_low);
    return Hand(Hand::two_pair, pair_high, pair_low, take_highest(others), none, none);
}

} // namespace

bool Hand::operator<(const Hand& other) const
{
    return std::tie(type, key1, key2, key3, key4, key5) <
           std::tie(other.type, other.key1, other.key2, other.key3, other.key4, other.key5);
}

bool Hand::operator==(const Hand& other) const
{
    return type == other.type && key1 == other.key1 && key2 == other.key2 &&
           key3 == other.key3 && key4 == other.key4 && key5 == other.key5;
}

Hand Hand::best_hand(const Card* cards, std::size_t count)
{
    std::uint64_t held = 0;
    std::uint64_t held_again = 0;
    std::uint32_t suit_counters = suit_counters_start;
    [[maybe_unused]] std::size_t known = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const Card& card = cards[i];
        if (card.is_unknown())
            continue;
        assert(card.value >= 0 && card.value < no_values && card.suit >= 0 &&
               card.suit < no_suits);
        const std::uint64_t card_bit = std::uint64_t{1} << (card.suit * suit_shift + card.value);
        held_again |= held & card_bit;
        held |= card_bit;
        suit_counters += 1u << (card.suit * counter_shift);
        ++known;
    }
    assert(known >= hand_size);
    // A card given twice counts twice, which the masks cannot express.
    if (held_again != 0)
        return counted_best_hand(cards, count);
    return masked_best_hand(held, suit_counters);
}

Hand Hand::best_hand(const std::vector<Card>& cards)
{
    return best_hand(cards.data(), cards.size());
}

const char* Hand::type_name(Type type)
{
    switch (type) {
    case no_pair: return "No pair";
    case one_pair: return "One pair";
    case two_pair: return "Two pair";
    case three_of_a_kind: return "Three of a kind";
    case straight: return "Straight";
    case flush: return "Flush";
    case full_house: return "Full house";
    case four_of_a_kind: return "Four of a kind";
    case straight_flush: return "Straight Flush";
    }
    return "ERROR";
}

} // namespace poker
