#include "poker/HandTable.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "poker/CardSet.h"

using poker::Card;
using poker::CardSet;
using poker::HandTable;

// Every one of the 133,784,560 seven-card hands gets from the table the strength that the
// card set's ranking gives it.
TEST(HandTableSlow, EverySevenCardHandRanksAsTheCardSetRanksIt)
{
    const HandTable& table = HandTable::get();
    std::uint64_t hands = 0, differing = 0;
    // Cards from index `first` up join the sums of the cards so far, `depth` of them.
    const auto fill = [&](const auto& self, unsigned depth, unsigned first, const CardSet& set, std::uint64_t counts,
                          std::uint64_t cards) -> void {
        if (depth == 7) {
            ++hands;
            differing += table.strength(table.rank(counts, cards)) != set.strength();
            return;
        }
        for (unsigned i = first; i + 7 - depth <= Card::no_cards; ++i) {
            CardSet more = set;
            more.add(Card::from_index(i));
            self(self, depth + 1, i + 1, more, counts + HandTable::key(i).counts, cards + HandTable::key(i).cards);
        }
    };
    fill(fill, 0, 0, CardSet(), 0, 0);
    EXPECT_EQ(hands, 133784560u);
    EXPECT_EQ(differing, 0u);
}
