#include "poker/Hand.h"

#include <array>

#include <gtest/gtest.h>

#include "support/HandCensus.h"

using poker::Card;
using poker::Hand;

// Published counts: 133,784,560 seven-card hands, whose best five cards fall into 4,824
// classes.
TEST(HandRankingSlow, EverySevenCardHandFallsIntoThePublishedClasses)
{
    constexpr unsigned no_cards = Card::no_cards;
    poker::test::HandCensus census;
    std::array<Card, 7> hand;
    for (unsigned a = 0; a < no_cards; ++a) {
        hand[0] = Card::from_index(a);
        for (unsigned b = a + 1; b < no_cards; ++b) {
            hand[1] = Card::from_index(b);
            for (unsigned c = b + 1; c < no_cards; ++c) {
                hand[2] = Card::from_index(c);
                for (unsigned d = c + 1; d < no_cards; ++d) {
                    hand[3] = Card::from_index(d);
                    for (unsigned e = d + 1; e < no_cards; ++e) {
                        hand[4] = Card::from_index(e);
                        for (unsigned f = e + 1; f < no_cards; ++f) {
                            hand[5] = Card::from_index(f);
                            for (unsigned g = f + 1; g < no_cards; ++g) {
                                hand[6] = Card::from_index(g);
                                census.add(Hand::best_hand(hand.data(), hand.size()));
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(census.no_distinct(), 4824u);
    EXPECT_EQ(census.no_hands(Hand::straight_flush), 41584u);
    EXPECT_EQ(census.no_hands(Hand::four_of_a_kind), 224848u);
    EXPECT_EQ(census.no_hands(Hand::full_house), 3473184u);
    EXPECT_EQ(census.no_hands(Hand::flush), 4047644u);
    EXPECT_EQ(census.no_hands(Hand::straight), 6180020u);
    EXPECT_EQ(census.no_hands(Hand::three_of_a_kind), 6461620u);
    EXPECT_EQ(census.no_hands(Hand::two_pair), 31433400u);
    EXPECT_EQ(census.no_hands(Hand::one_pair), 58627800u);
    EXPECT_EQ(census.no_hands(Hand::no_pair), 23294460u);
}
