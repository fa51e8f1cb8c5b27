#ifndef CORVALD_POKER_HANDTABLE_H
#define CORVALD_POKER_HANDTABLE_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "poker/Card.h"

namespace poker {

// Seven-card ranking by table lookup, for the simulation and Hand::best_hand. Every hand
// of seven distinct cards gets a rank, a small number that orders exactly as
// Hand::strength does (equal hands, equal ranks), and strength() turns a rank back into
// the strength. The tables are worked out once, at first use, by ranking every case with
// CardSet (the project's own ranking rules, held against the counting rules by the tests).
//
// A hand is added up card by card from the cards' keys (CardKey): one sum counts the cards
// of each value, the other marks the cards of each suit and counts them. With five cards
// or more of one suit the best hand is a flush or a straight flush (the two cards left
// cannot make a full house or four of a kind), found from that suit's cards alone;
// otherwise only the values count, and their counts find the rank through a perfect hash.
class HandTable {
public:
    using Rank = std::uint16_t;

    // What one card adds to a hand's sums.
    struct CardKey {
        // 4 bits per value (value v at bit 4v): the number of cards of that value.
        std::uint64_t values;
        // 16 bits per suit (suit s from bit 16s): bit v for the card of value v, and in
        // bits 13 to 15 the number of cards of that suit.
        std::uint64_t suits;
    };

    // The key of the card with deck index `index`.
    static const CardKey& key(unsigned index) { return card_keys[index]; }

    // The tables, built at the first call.
    static const HandTable& get();

    // The rank of seven distinct cards from the sums of their keys.
    Rank rank(std::uint64_t values, std::uint64_t suits) const
    {
        // A suit's count (0 to 7, bits 13 to 15 of its lane) is 5 or more exactly when its
        // bit 15 is set with bit 14 or bit 13.
        const std::uint64_t flushes = suits & ((suits << 1) | (suits << 2)) & flush_count_bits;
        if (flushes != 0) {
            const int lane = __builtin_ctzll(flushes) / suit_lane_bits * suit_lane_bits;
            return flush_ranks[(suits >> lane) & value_mask];
        }
        const std::uint64_t hash = values * hash_multiplier;
        const std::uint32_t bucket = static_cast<std::uint32_t>(hash >> bucket_shift);
        // Slot arithmetic wraps at 2^16, the size of the slot table.
        const std::uint16_t slot = static_cast<std::uint16_t>((hash >> slot_shift) + displacement[bucket]);
        return value_ranks[slot];
    }

    // The Hand::strength of a rank.
    std::uint32_t strength(Rank rank) const { return strengths[rank]; }

    HandTable(const HandTable&) = delete;
    HandTable& operator=(const HandTable&) = delete;

private:
    HandTable();

    static constexpr int suit_lane_bits = 16;
    static constexpr int count_shift = 13;
    static constexpr std::uint64_t value_mask = (1u << Card::no_values) - 1;
    static constexpr std::uint64_t flush_count_bits = 0x8000800080008000u;
    static constexpr int bucket_bits = 14;
    static constexpr int slot_bits = 16;
    static constexpr int bucket_shift = 64 - bucket_bits;
    static constexpr int slot_shift = bucket_shift - slot_bits;

    static constexpr std::array<CardKey, Card::no_cards> make_card_keys()
    {
        std::array<CardKey, Card::no_cards> keys{};
        for (unsigned i = 0; i < Card::no_cards; ++i) {
            const Card card = Card::from_index(i);
            const int lane = card.suit * suit_lane_bits;
            keys[i].values = std::uint64_t{1} << (4 * card.value);
            keys[i].suits = (std::uint64_t{1} << (lane + card.value))
                + (std::uint64_t{1} << (lane + count_shift));
        }
        return keys;
    }
    static const std::array<CardKey, Card::no_cards> card_keys;

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
};

// Worked out by the compiler: the card keys are known before the tables are built.
inline constexpr std::array<HandTable::CardKey, Card::no_cards> HandTable::card_keys =
    HandTable::make_card_keys();

} // namespace poker

#endif
