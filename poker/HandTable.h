#ifndef CORVALD_POKER_HANDTABLE_H
#define CORVALD_POKER_HANDTABLE_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "poker/Card.h"
#include "poker/Hand.h"

namespace poker {

// Seven-card ranking by table lookup, for the simulation and Hand::best_hand. Every hand
// of seven distinct cards gets a rank, a small number that orders exactly as
// Hand::strength does (equal hands, equal ranks), and strength() turns a rank back into
// the strength. The tables are worked out once, at first use, by ranking every case with
// CardSet (the project's own ranking rules, held against the counting rules by the tests).
//
// A hand is added up card by card from the cards' keys (CardKey): one sum counts the cards
// of each value and of each suit, the other marks the cards of each suit. With five cards
// or more of one suit the best hand is a flush or a straight flush (the two cards left
// cannot make a full house or four of a kind), found from that suit's cards alone;
// otherwise only the values count, and their counts find the rank through a perfect hash.
class HandTable {
public:
    using Rank = std::uint16_t;

    // What one card adds to a hand's sums.
    struct CardKey {
        // 4 bits per value (value v at bit 4v): the number of cards of that value; from
        // bit 52, 3 bits per suit (suit s at bit 52 + 3s): the number of cards of that suit.
        std::uint64_t counts;
        // 16 bits per suit (suit s from bit 16s): bit v for the card of value v. Distinct
        // cards have no bit in common, so their sum is also their union.
        std::uint64_t cards;
    };

    // The key of the card with deck index `index`.
    static CardKey key(unsigned index) { return {card_counts[index], card_bits[index]}; }

    // The tables, built at the first call.
    static const HandTable& get();

    // The rank of seven distinct cards from the sums of their keys.
    Rank rank(std::uint64_t counts, std::uint64_t cards) const
    {
        // A suit's count (0 to 7) is 5 or more exactly when its top bit is set with one of
        // the two below it.
        const std::uint64_t suits = counts >> suit_count_shift;
        const std::uint64_t flushes = suits & ((suits << 1) | (suits << 2)) & suit_count_top_bits;
        if (flushes != 0) {
            const int suit = __builtin_ctzll(flushes) / suit_count_bits;
            return flush_ranks[(cards >> (suit * suit_lane_bits)) & value_mask];
        }
        // The multiplier's low 12 bits are zero, so the suit counts (bits 52 to 63) leave
        // the 64-bit product and the hash sees the value counts alone.
        const std::uint64_t hash = counts * hash_multiplier;
        const std::uint32_t bucket = static_cast<std::uint32_t>(hash >> bucket_shift);
        // Slot arithmetic wraps at 2^16, the size of the slot table.
        const std::uint16_t slot =
            static_cast<std::uint16_t>((hash >> slot_shift) + displacement[bucket]);
        return value_ranks[slot];
    }

    // The Hand::strength of a rank, and the hand itself.
    std::uint32_t strength(Rank rank) const { return strengths[rank]; }
    const Hand& hand(Rank rank) const { return hands[rank]; }

    HandTable(const HandTable&) = delete;
    HandTable& operator=(const HandTable&) = delete;

private:
    HandTable();

    static constexpr int suit_lane_bits = 16;
    static constexpr int value_count_bits = 4;
    static constexpr int suit_count_shift = 52;
    static constexpr int suit_count_bits = 3;
    static constexpr std::uint64_t suit_count_top_bits = 04444;
    static constexpr std::uint64_t value_mask = (1u << Card::no_values) - 1;
    static constexpr int bucket_bits = 14;
    static constexpr int slot_bits = 16;
    static constexpr int bucket_shift = 64 - bucket_bits;
    static constexpr int slot_shift = bucket_shift - slot_bits;
    // The hash multiplier's bits that must be zero (see rank).
    static constexpr std::uint64_t suit_count_part =
        (std::uint64_t{1} << (64 - suit_count_shift)) - 1;

    // The two halves of every card's key, each in an array of its own so that a card
    // index finds its word by scaled addressing.
    using Words = std::array<std::uint64_t, Card::no_cards>;
    static constexpr Words make_card_counts()
    {
        Words words{};
        for (unsigned i = 0; i < Card::no_cards; ++i) {
            const Card card = Card::from_index(i);
            words[i] = (std::uint64_t{1} << (value_count_bits * card.value))
                       + (std::uint64_t{1} << (suit_count_shift + suit_count_bits * card.suit));
        }
        return words;
    }
    static constexpr Words make_card_bits()
    {
        Words words{};
        for (unsigned i = 0; i < Card::no_cards; ++i) {
            const Card card = Card::from_index(i);
            words[i] = std::uint64_t{1} << (suit_lane_bits * card.suit + card.value);
        }
        return words;
    }
    static const Words card_counts;
    static const Words card_bits;

    // Fills the perfect hash of the value sums of every seven-card hand without a flush.
    void build_value_ranks(const std::vector<std::uint64_t>& values,
                           const std::vector<std::uint32_t>& ranks);

    // The multiplier of the perfect hash: the first of a fixed series that works.
    std::uint64_t hash_multiplier = 0;
    // By the top 14 bits of the hash: what to add to the next 16 bits to find the slot.
    std::array<std::uint16_t, std::size_t{1} << bucket_bits> displacement{};
    std::array<Rank, std::size_t{1} << slot_bits> value_ranks{};
    // By the mask of a flush suit's values (five or more of them).
    std::array<Rank, std::size_t{1} << Card::no_values> flush_ranks{};
    // By rank; strictly rising.
    std::vector<std::uint32_t> strengths;
    std::vector<Hand> hands;
};

// Worked out by the compiler: the card keys are known before the tables are built.
inline constexpr HandTable::Words HandTable::card_counts = HandTable::make_card_counts();
inline constexpr HandTable::Words HandTable::card_bits = HandTable::make_card_bits();

} // namespace poker

#endif
