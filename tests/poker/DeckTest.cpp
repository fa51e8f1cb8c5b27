#include "poker/Deck.h"

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

// How often each card index occurs in `dealt`.
std::array<int, no_cards> tally(const std::vector<Card>& dealt)
{
    std::array<int, no_cards> times{};
    for (const Card& card : dealt)
        ++times[card.index()];
    return times;
}

} // namespace

TEST(Deck, DealsEveryAvailableCardOnceAndNothingElse)
{
    Deck deck(7);
    const std::array<unsigned, 6> removed = {0, 5, 13, 26, 27, 51};
    for (unsigned index : removed)
        deck.remove(Card::from_index(index));
    deck.remove(Card::from_index(5)); // taken twice, out once
    std::array<int, no_cards> expected;
    expected.fill(1);
    for (unsigned index : removed)
        expected[index] = 0;
    EXPECT_EQ(tally(deal(deck, no_cards - removed.size())), expected);

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
    const std::vector<Card> first = deal(deck, no_cards);
    EXPECT_EQ(deal(twin, no_cards), first);
    EXPECT_NE(deal(other, no_cards), first);

    // All 52 again, but further along the random sequence: not the same order.
    deck.reset();
    const std::vector<Card> second = deal(deck, no_cards);
    EXPECT_NE(second, first);
    std::array<int, no_cards> once;
    once.fill(1);
    EXPECT_EQ(tally(second), once);
    twin.reset();
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
    std::vector<Card> dealt;
    for (unsigned draw = 0; draw < available * draws_per_card; ++draw) {
        deck.reset();
        for (unsigned index = first_removed; index <= last_removed; ++index)
            deck.remove(Card::from_index(index));
        dealt.push_back(deck.deal());
    }
    const std::array<int, no_cards> times = tally(dealt);
    double chi_square = 0;
    for (unsigned index = 0; index < no_cards; ++index) {
        if (index >= first_removed && index <= last_removed) {
            EXPECT_EQ(times[index], 0);
            continue;
        }
        const double deviation = times[index] - double(draws_per_card);
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
