#include "poker/Deck.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <vector>

#include <gtest/gtest.h>

using poker::Card;
using poker::Deck;

namespace {

constexpr unsigned no_cards = Card::no_cards;

// The indices of `n` cards dealt from `deck`, in dealing order.
std::vector<unsigned> deal(Deck& deck, std::size_t n)
{
    std::vector<unsigned> dealt;
    while (dealt.size() < n)
        dealt.push_back(deck.deal().index());
    return dealt;
}

} // namespace

// Redrawing rejected cards keeps the available ones equally likely (the first and last
// card too); taking the next free card would favour the one after a run of taken ones.
TEST(Deck, DealsEveryAvailableCardOnceAndEachEquallyLikely)
{
    constexpr unsigned first_removed = 20;
    constexpr unsigned last_removed = 31;
    constexpr unsigned draws_per_card = 500;
    std::vector<unsigned> available;
    for (unsigned index = 0; index < no_cards; ++index) {
        if (index < first_removed || index > last_removed)
            available.push_back(index);
    }
    const auto reset = [&](Deck& deck) {
        deck.reset();
        for (unsigned index = first_removed; index <= last_removed; ++index)
            deck.remove(Card::from_index(index));
        deck.remove(Card::from_index(last_removed)); // taken twice, out once
    };
    Deck deck(11);
    reset(deck);
    std::vector<unsigned> dealt = deal(deck, available.size());
    std::sort(dealt.begin(), dealt.end());
    EXPECT_EQ(dealt, available);

    std::array<unsigned, no_cards> times{};
    for (unsigned draw = 0; draw < available.size() * draws_per_card; ++draw) {
        reset(deck);
        ++times[deck.deal().index()];
    }
    double chi_square = 0;
    for (unsigned index : available)
        chi_square += std::pow(times[index] - double{draws_per_card}, 2) / draws_per_card;
    // 39 degrees of freedom: a sum above 89 has a chance below 1e-5.
    EXPECT_LT(chi_square, 89.0);
}

TEST(Deck, EqualSeedsDealEqualSequencesAndResetDoesNotReseed)
{
    Deck deck(2), twin(2), other(3);
    const std::vector<unsigned> first = deal(deck, no_cards);
    EXPECT_EQ(deal(twin, no_cards), first);
    EXPECT_NE(deal(other, no_cards), first);

    // All 52 again, but further along the random sequence: not the same order.
    deck.reset();
    twin.reset();
    const std::vector<unsigned> second = deal(deck, no_cards);
    EXPECT_EQ(std::set<unsigned>(second.begin(), second.end()).size(), no_cards);
    EXPECT_NE(second, first);
    EXPECT_EQ(deal(twin, no_cards), second);
}
