#include "poker/HandTable.h"

#include <algorithm>
#include <cassert>
#include <numeric>
#include <stdexcept>

#include "poker/CardSet.h"

namespace poker {

namespace {

constexpr int hand_size = 7;
constexpr int max_of_a_value = Card::no_suits;
constexpr std::size_t no_buckets = std::size_t{1} << 14;
constexpr std::size_t no_slots = std::size_t{1} << 16;

// Every way to hold seven cards by value alone: how many cards of each value.
std::vector<std::array<int, Card::no_values>> every_value_count()
{
    std::vector<std::array<int, Card::no_values>> all;
    std::array<int, Card::no_values> counts{};
    const auto fill = [&](const auto& self, int value, int left) -> void {
        if (value == Card::no_values) {
            if (left == 0)
                all.push_back(counts);
            return;
        }
        for (int n = 0; n <= std::min(left, max_of_a_value); ++n) {
            counts[value] = n;
            self(self, value + 1, left - n);
        }
        counts[value] = 0;
    };
    fill(fill, 0, hand_size);
    return all;
}

// SplitMix64: the fixed series of multipliers that the perfect hash tries in turn.
std::uint64_t next_multiplier(std::uint64_t& seed)
{
    std::uint64_t z = (seed += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z;
}

} // namespace

const HandTable& HandTable::get()
{
    static const HandTable table;
    return table;
}

HandTable::HandTable()
{
    // The hands without a flush, one per way to hold seven cards by value: the cards of
    // each value take suits in turn, so no suit gets more than two of the seven. Their
    // sums count spades only, which the hash does not see.
    std::vector<std::uint64_t> values;
    std::vector<std::uint32_t> value_strengths;
    for (const auto& counts : every_value_count()) {
        CardSet set;
        std::uint64_t sum = 0;
        int suit = 0;
        for (int value = 0; value < Card::no_values; ++value) {
            for (int n = 0; n < counts[value]; ++n) {
                set.add(Card(value, static_cast<Card::Suit>(suit)));
                suit = (suit + 1) % Card::no_suits;
                sum += key(Card(value, Card::spades).index()).counts;
            }
        }
        values.push_back(sum);
        value_strengths.push_back(set.strength());
    }

    // The flushes: every mask of five to seven values in one suit.
    std::vector<std::uint32_t> flush_strengths(flush_ranks.size(), 0);
    for (std::size_t mask = 0; mask < flush_ranks.size(); ++mask) {
        if (__builtin_popcount(static_cast<unsigned>(mask)) < 5
            || __builtin_popcount(static_cast<unsigned>(mask)) > hand_size)
            continue;
        CardSet set;
        for (int value = 0; value < Card::no_values; ++value) {
            if (mask & (std::size_t{1} << value))
                set.add(Card(value, Card::hearts));
        }
        flush_strengths[mask] = set.strength();
    }

    // Ranks number the strengths that occur, in rising order.
    strengths = value_strengths;
    for (std::uint32_t s : flush_strengths) {
        if (s != 0)
            strengths.push_back(s);
    }
    std::sort(strengths.begin(), strengths.end());
    strengths.erase(std::unique(strengths.begin(), strengths.end()), strengths.end());
    for (std::uint32_t s : strengths)
        hands.push_back(Hand::from_strength(s));
    const auto rank_of = [this](std::uint32_t s) {
        return static_cast<Rank>(std::lower_bound(strengths.begin(), strengths.end(), s)
                                 - strengths.begin());
    };
    for (std::size_t mask = 0; mask < flush_ranks.size(); ++mask)
        flush_ranks[mask] = flush_strengths[mask] == 0 ? 0 : rank_of(flush_strengths[mask]);
    for (std::uint32_t& s : value_strengths)
        s = rank_of(s);
    build_value_ranks(values, value_strengths);
}

// Hash and displace: a multiplier spreads the value sums over 2^14 buckets by the top bits
// of the product and gives each sum a 16-bit place from the bits below. Buckets are filled
// largest first, each moved by the smallest displacement that lands all its sums on free
// slots; a multiplier that puts two sums of one bucket on the same place is replaced by
// the next one of the series.
void HandTable::build_value_ranks(const std::vector<std::uint64_t>& values,
                                  const std::vector<std::uint32_t>& ranks)
{
    std::uint64_t series = 0;
    constexpr int max_multipliers = 1000;
    for (int attempt = 0; attempt < max_multipliers; ++attempt) {
        const std::uint64_t multiplier = next_multiplier(series) & ~suit_count_part;
        std::vector<std::vector<std::size_t>> buckets(no_buckets);
        for (std::size_t i = 0; i < values.size(); ++i)
            buckets[(values[i] * multiplier) >> bucket_shift].push_back(i);
        std::vector<std::size_t> order(no_buckets);
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return buckets[a].size() > buckets[b].size();
        });

        std::vector<bool> used(no_slots, false);
        bool placed_all = true;
        for (std::size_t b : order) {
            const std::vector<std::size_t>& members = buckets[b];
            if (members.empty())
                break;
            // The sums' own places; two alike can be moved apart by no displacement.
            std::vector<std::size_t> own;
            for (std::size_t i : members)
                own.push_back((values[i] * multiplier >> slot_shift) % no_slots);
            std::vector<std::size_t> sorted = own;
            std::sort(sorted.begin(), sorted.end());
            const bool apart = std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end();
            std::vector<std::size_t> slots(own.size());
            bool placed = false;
            for (std::size_t d = 0; d < no_slots && apart && !placed; ++d) {
                bool free = true;
                for (std::size_t k = 0; k < own.size() && free; ++k) {
                    slots[k] = (own[k] + d) % no_slots;
                    free = !used[slots[k]];
                }
                if (!free)
                    continue;
                displacement[b] = static_cast<std::uint16_t>(d);
                for (std::size_t k = 0; k < members.size(); ++k) {
                    used[slots[k]] = true;
                    value_ranks[slots[k]] = static_cast<Rank>(ranks[members[k]]);
                }
                placed = true;
            }
            if (!placed) {
                placed_all = false;
                break;
            }
        }
        if (placed_all) {
            hash_multiplier = multiplier;
            return;
        }
    }
    // The series is fixed, so this would fail on every run; the tests would show it.
    throw std::logic_error("no perfect hash of the hand values was found");
}

} // namespace poker
