#include "poker/Deck.h"

#include <algorithm>
#include <array>
#include <vector>

#include <gtest/gtest.h>

using poker::Card;
using poker::Deck;

namespace {

constexpr unsigned no_cards = Card::no_cards;

std::vector<Card> deal(Deck& deck, unsigned n)
{
    std::vector<Card> dealt;
    for (unsigned i = 0; i < n; ++i)
        dealt.push_back(deck.deal());
    return dealt;
}

} // namespace

TEST(Deck, DealsTheCardOfItsIndex)
{
    Deck deck(2);
    for (unsigned only = 0; only < no_cards; ++only) {
        deck.reset();
        for (unsigned index = 0; index < no_cards; ++index) {
            if (index != only)
                deck.remove(Card::from_index(index));
        }
        EXPECT_EQ(deck.deal(), Card::from_index(only));
    }
    deck.reset();
    for (unsigned index = 0; index < no_cards; ++index) {
        if (index != 13)
            deck.remove(Card::from_index(index));
    }
    EXPECT_EQ(deck.deal(), Card(3, Card::hearts));
}

TEST(Deck, DealsEveryAvailableCardOnceAndNothingElse)
{
    Deck deck(7);
    const std::vector<unsigned> removed = {0, 5, 13, 26, 27, 51};
    for (unsigned index : removed)
        deck.remove(Card::from_index(index));
    // Removing a card twice takes it out once.
    deck.remove(Card::from_index(5));

    std::array<int, no_cards> times_dealt{};
    for (const Card& card : deal(deck, no_cards - removed.size()))
        ++times_dealt[card.index()];
    for (unsigned index = 0; index < no_cards; ++index) {
        const bool was_removed =
            std::find(removed.begin(), removed.end(), index) != removed.end();
        EXPECT_EQ(times_dealt[index], was_removed ? 0 : 1) << "card " << index;
    }
}

TEST(Deck, TheLastTwoCardsAreDealtEachOnce)
{
    Deck deck(2);
    const Card first = Card(4, Card::clubs);
    const Card second = Card(12, Card::spades);
    for (unsigned index = 0; index < no_cards; ++index) {
        const Card card = Card::from_index(index);
        if (card != first && card != second)
            deck.remove(card);
    }
    const Card a = deck.deal();
    const Card b = deck.deal();
    EXPECT_TRUE((a == first && b == second) || (a == second && b == first));
}

TEST(Deck, EqualSeedsDealEqualSequences)
{
    Deck one(2);
    Deck other(2);
    Deck third(3);
    const std::vector<Card> sequence = deal(one, 20);
    EXPECT_EQ(deal(other, 20), sequence);
    EXPECT_NE(deal(third, 20), sequence);
}

TEST(Deck, ResetFreesEveryCardButDoesNotReseed)
{
    Deck deck(2);
    Deck twin(2);
    const std::vector<Card> first = deal(deck, no_cards);
    deck.reset();
    // All 52 again, but further along the random sequence: not the same order.
    const std::vector<Card> second = deal(deck, no_cards);
    EXPECT_NE(second, first);
    std::array<int, no_cards> times_dealt{};
    for (const Card& card : second)
        ++times_dealt[card.index()];
    EXPECT_EQ(std::count(times_dealt.begin(), times_dealt.end(), 1), int(no_cards));

    // The same calls on a deck with the same seed give the same cards.
    EXPECT_EQ(deal(twin, no_cards), first);
    twin.reset();
    EXPECT_EQ(deal(twin, no_cards), second);
}

// Redrawing rejected cards keeps the available ones equally likely; taking the next free
// card instead would favour the card after a run of taken ones.
TEST(Deck, AvailableCardsAreEquallyLikely)
{
    constexpr unsigned first_removed = 20;
    constexpr unsigned last_removed = 31;
    constexpr unsigned available = no_cards - (last_removed - first_removed + 1);
    constexpr unsigned draws_per_card = 500;

    Deck deck(11);
    std::array<unsigned, no_cards> times_dealt{};
    for (unsigned draw = 0; draw < available * draws_per_card; ++draw) {
        deck.reset();
        for (unsigned index = first_removed; index <= last_removed; ++index)
            deck.remove(Card::from_index(index));
        ++times_dealt[deck.deal().index()];
    }

    double chi_square = 0;
    for (unsigned index = 0; index < no_cards; ++index) {
        if (index >= first_removed && index <= last_removed) {
            EXPECT_EQ(times_dealt[index], 0u);
            continue;
        }
        const double deviation = double(times_dealt[index]) - draws_per_card;
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
