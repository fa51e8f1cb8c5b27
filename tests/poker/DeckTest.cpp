#include "poker/Deck.h"

#include <algorithm>
#include <array>
#include <numeric>
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

std::vector<unsigned> sorted(std::vector<unsigned> indices)
{
    std::sort(indices.begin(), indices.end());
    return indices;
}

} // namespace

TEST(Deck, DealsEveryAvailableCardOnceAndNothingElse)
{
    Deck deck(7);
    std::vector<unsigned> available;
    for (unsigned index = 0; index < no_cards; ++index) {
        if (index % 5 == 0)
            deck.remove(Card::from_index(index));
        else
            available.push_back(index);
    }
    deck.remove(Card::from_index(5)); // taken twice, out once
    EXPECT_EQ(sorted(deal(deck, available.size())), available);

    // With a single card left, that card and no other is dealt.
    for (unsigned only = 0; only < no_cards; ++only) {
        deck.reset();
        for (unsigned index = 0; index < no_cards; ++index) {
            if (index != only)
                deck.remove(Card::from_index(index));
        }
        EXPECT_EQ(deck.deal(), Card::from_index(only));
    }
}

TEST(Deck, EqualSeedsDealEqualSequencesAndResetDoesNotReseed)
{
    Deck deck(2);
    Deck twin(2);
    Deck other(3);
    const std::vector<unsigned> first = deal(deck, no_cards);
    EXPECT_EQ(deal(twin, no_cards), first);
    EXPECT_NE(deal(other, no_cards), first);

    // All 52 again, but further along the random sequence: not the same order.
    deck.reset();
    twin.reset();
    const std::vector<unsigned> second = deal(deck, no_cards);
    std::vector<unsigned> all(no_cards);
    std::iota(all.begin(), all.end(), 0u);
    EXPECT_EQ(sorted(second), all);
    EXPECT_NE(second, first);
    EXPECT_EQ(deal(twin, no_cards), second);
}

// Redrawing rejected cards keeps the available ones equally likely; taking the next free
// card instead would favour the card after a run of taken ones.
TEST(Deck, AvailableCardsAreEquallyLikely)
{
    constexpr unsigned first_removed = 20;
    constexpr unsigned last_removed = 31;
    constexpr unsigned draws_per_card = 500;
    constexpr unsigned available = no_cards - (last_removed - first_removed + 1);

    Deck deck(11);
    std::array<unsigned, no_cards> times{};
    for (unsigned draw = 0; draw < available * draws_per_card; ++draw) {
        deck.reset();
        for (unsigned index = first_removed; index <= last_removed; ++index)
            deck.remove(Card::from_index(index));
        ++times[deck.deal().index()];
    }
    double chi_square = 0;
    for (unsigned index = 0; index < no_cards; ++index) {
        if (index >= first_removed && index <= last_removed) {
            EXPECT_EQ(times[index], 0u);
            continue;
        }
        const double deviation = double(times[index]) - draws_per_card;
        chi_square += deviation * deviation / draws_per_card;
    }
    // 39 degrees of freedom: a sum above 89 has a chance below 1e-5.
    EXPECT_LT(chi_square, 89.0);
}

#ifndef NDEBUG
TEST(DeckDeathTest, ContractsAreChecked)
{
    Deck deck(2);
    EXPECT_DEATH(deck.remove(Card()), "");
    for (unsigned index = 0; index < no_cards; ++index)
        deck.remove(Card::from_index(index));
    // Without the check this would draw for ever.
    EXPECT_DEATH(deck.deal(), "");
}
#endif
