#include "poker/CardSet.h"

#include <algorithm>
#include <array>
#include <random>

#include <gtest/gtest.h>

#include "poker/Hand.h"

using poker::Card;
using poker::CardSet;
using poker::Hand;

namespace {

// Seven distinct cards from a shuffled deck.
std::array<Card, 7> random_seven(std::mt19937& random)
{
    std::array<unsigned, Card::no_cards> indices;
    for (unsigned i = 0; i < Card::no_cards; ++i)
        indices[i] = i;
    std::array<Card, 7> seven;
    for (unsigned i = 0; i < seven.size(); ++i) {
        std::uniform_int_distribution<unsigned> pick(i, Card::no_cards - 1);
        std::swap(indices[i], indices[pick(random)]);
        seven[i] = Card::from_index(indices[i]);
    }
    return seven;
}

// The best of the 21 five-card hands among seven cards, each ranked on its own.
Hand best_of_fives(const std::array<Card, 7>& seven)
{
    Hand best(Hand::no_pair, Hand::no_key, Hand::no_key, Hand::no_key, Hand::no_key, Hand::no_key);
    for (unsigned left_out1 = 0; left_out1 < 7; ++left_out1) {
        for (unsigned left_out2 = left_out1 + 1; left_out2 < 7; ++left_out2) {
            std::array<Card, 5> five;
            unsigned n = 0;
            for (unsigned i = 0; i < 7; ++i) {
                if (i != left_out1 && i != left_out2)
                    five[n++] = seven[i];
            }
            best = std::max(best, Hand::best_hand(five.data(), five.size()));
        }
    }
    return best;
}

} // namespace

// The seven-card ranking against the five-card one (which the census pins down): a board
// set with two hole cards added ranks as the seven cards do, which is the best of their
// five-card hands; and strengths order exactly as the hands do.
TEST(CardSet, SevenCardsRankAsTheirBestFiveAndStrengthsOrderAsHands)
{
    std::mt19937 random(7);
    Hand previous = Hand::from_strength(0);
    unsigned per_type[Hand::straight_flush + 1] = {};
    for (int deal = 0; deal < 20000; ++deal) {
        const std::array<Card, 7> seven = random_seven(random);
        CardSet board;
        for (unsigned i = 2; i < 7; ++i)
            board.add(seven[i]);
        CardSet hand = board;
        hand.add(seven[0]);
        hand.add(seven[1]);
        ASSERT_TRUE(hand.distinct());

        const Hand best = Hand::best_hand(seven.data(), seven.size());
        ASSERT_EQ(Hand::from_strength(hand.strength()), best);
        ASSERT_EQ(best, best_of_fives(seven));
        ASSERT_EQ(best.strength(), hand.strength());
        ASSERT_EQ(previous < best, previous.strength() < best.strength());
        ASSERT_EQ(previous == best, previous.strength() == best.strength());
        ++per_type[best.type];
        previous = best;
    }
    // Every category came up, so each branch of the ranking was taken.
    for (unsigned count : per_type)
        EXPECT_GT(count, 0u);
}
