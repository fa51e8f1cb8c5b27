#include "poker/Hand.h"

#include "poker/CardSet.h"
#include "poker/HandTable.h"

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
constexpr std::size_t table_hand_size = 7;

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
void full_bucket_sort(const Card* cards, std::size_t count, int (&counts)[no_suits * no_values])
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
void highest_present(const int* counts, int wanted, int skip1, int skip2, int (&keys)[hand_size])
{
    for (int& key : keys)
        key = none;
    int found = 0;
    for (int value = ace; value >= 0 && found < wanted; --value) {
        if (counts[value] > 0 && value != skip1 && value != skip2)
            keys[found++] = value;
    }
}

} // namespace

Hand Hand::counted_best_hand(const Card* cards, std::size_t count)
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

bool Hand::operator<(const Hand& other) const
{
    return std::tie(type, key1, key2, key3, key4, key5)
           < std::tie(other.type, other.key1, other.key2, other.key3, other.key4, other.key5);
}

bool Hand::operator==(const Hand& other) const
{
    return type == other.type && key1 == other.key1 && key2 == other.key2 && key3 == other.key3
           && key4 == other.key4 && key5 == other.key5;
}

Hand Hand::from_strength(std::uint32_t strength)
{
    const auto key = [strength](int position) {
        return static_cast<int>((strength & strength_keys_mask(position, position))
                                >> strength_key_bits * (strength_keys - position))
               - 1;
    };
    return Hand(static_cast<Type>(strength >> strength_category_shift), key(1), key(2), key(3),
                key(4), key(5));
}

// Seven known, distinct cards (the simulation's case) are ranked by table; anything else
// takes the card set, or the counting rules for a card given twice.
Hand Hand::best_hand(const Card* cards, std::size_t count)
{
    if (count == table_hand_size) {
        // Each card read once: its index, and its suit into the check below.
        unsigned suits = 0;
        unsigned index[table_hand_size];
        for (std::size_t i = 0; i < table_hand_size; ++i) {
            suits |= static_cast<unsigned>(cards[i].suit);
            index[i] = static_cast<unsigned>(cards[i].value * no_suits + cards[i].suit);
        }
        // Suits OR'ed together stay below 4 only when every suit is 0 to 3: the unknown
        // card's -1 sets every bit.
        if (suits < static_cast<unsigned>(no_suits)) {
            std::uint64_t counts = 0, sum = 0, held = 0;
            for (unsigned i : index) {
                const HandTable::CardKey key = HandTable::key(i);
                counts += key.counts;
                sum += key.cards;
                held |= key.cards;
            }
            // Single bits add up to their union only when no two are the same card.
            if (sum == held) {
                const HandTable& table = HandTable::get();
                return table.hand(table.rank(counts, held));
            }
        }
    }
    return ranked_by_rules(cards, count);
}

Hand Hand::ranked_by_rules(const Card* cards, std::size_t count)
{
    CardSet set;
    [[maybe_unused]] std::size_t known = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const Card& card = cards[i];
        if (card.is_unknown())
            continue;
        assert(card.value >= 0 && card.value < no_values && card.suit >= 0 && card.suit < no_suits);
        set.add(card);
        ++known;
    }
    assert(known >= hand_size);
    // A card given twice counts twice, which the set cannot express.
    if (!set.distinct())
        return counted_best_hand(cards, count);
    return from_strength(set.strength());
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
