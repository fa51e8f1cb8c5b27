#include "poker/Hand.h"

#include <algorithm>
#include <array>
#include <random>

#include <gtest/gtest.h>

#include "support/CardText.h"
#include "support/HandCensus.h"

using poker::Card;
using poker::Hand;
using poker::test::cards;

namespace {

constexpr int none = Hand::no_key;

Hand best(const std::string& text)
{
    return Hand::best_hand(cards(text));
}

Hand hand(Hand::Type type, int k1, int k2 = none, int k3 = none, int k4 = none,
          int k5 = none)
{
    return Hand(type, k1, k2, k3, k4, k5);
}

// Card values by name, for reading expectations.
enum Value { two, three, four, five, six, seven, eight, nine, ten, jack, queen, king, ace };

} // namespace

// Published counts: 2,598,960 hands in 7,462 classes.
TEST(HandRanking, EveryFiveCardHandFallsIntoThePublishedClasses)
{
    poker::test::HandCensus census;
    std::array<Card, 5> hand;
    for (unsigned a = 0; a < 52; ++a) {
        hand[0] = Card::from_index(a);
        for (unsigned b = a + 1; b < 52; ++b) {
            hand[1] = Card::from_index(b);
            for (unsigned c = b + 1; c < 52; ++c) {
                hand[2] = Card::from_index(c);
                for (unsigned d = c + 1; d < 52; ++d) {
                    hand[3] = Card::from_index(d);
                    for (unsigned e = d + 1; e < 52; ++e) {
                        hand[4] = Card::from_index(e);
                        census.add(Hand::best_hand(hand.data(), hand.size()));
                    }
                }
            }
        }
    }
    EXPECT_EQ(census.no_distinct(), 7462u);
    EXPECT_EQ(census.no_hands(Hand::straight_flush), 40u);
    EXPECT_EQ(census.no_hands(Hand::four_of_a_kind), 624u);
    EXPECT_EQ(census.no_hands(Hand::full_house), 3744u);
    EXPECT_EQ(census.no_hands(Hand::flush), 5108u);
    EXPECT_EQ(census.no_hands(Hand::straight), 10200u);
    EXPECT_EQ(census.no_hands(Hand::three_of_a_kind), 54912u);
    EXPECT_EQ(census.no_hands(Hand::two_pair), 123552u);
    EXPECT_EQ(census.no_hands(Hand::one_pair), 1098240u);
    EXPECT_EQ(census.no_hands(Hand::no_pair), 1302540u);
}

// The ranking never tries the 21 five-card subsets of seven cards; its result must still
// be the best of them.
TEST(HandRanking, SevenCardsRankAsTheirBestFiveCardSubset)
{
    std::mt19937 random(20240521);
    std::array<Card, 52> deck;
    for (unsigned i = 0; i < deck.size(); ++i)
        deck[i] = Card::from_index(i);
    for (int sample = 0; sample < 20000; ++sample) {
        std::shuffle(deck.begin(), deck.end(), random);
        const Hand seven = Hand::best_hand(deck.data(), 7);

        Hand best_five = Hand(Hand::no_pair, none, none, none, none, none);
        for (int left_out1 = 0; left_out1 < 7; ++left_out1) {
            for (int left_out2 = left_out1 + 1; left_out2 < 7; ++left_out2) {
                std::array<Card, 5> five;
                std::size_t n = 0;
                for (int i = 0; i < 7; ++i) {
                    if (i != left_out1 && i != left_out2)
                        five[n++] = deck[i];
                }
                best_five = std::max(best_five, Hand::best_hand(five.data(), five.size()));
            }
        }
        ASSERT_EQ(seven, best_five) << "sample " << sample;
    }
}

TEST(HandRanking, StraightsRankByTopCardWithTheWheelLowest)
{
    EXPECT_EQ(best("As Kd Qh Jc Ts"), hand(Hand::straight, ace));
    EXPECT_EQ(best("2s 3d 4h 5c 6s"), hand(Hand::straight, six));
    EXPECT_EQ(best("As 2d 3h 4c 5s"), hand(Hand::straight, five));
    EXPECT_LT(best("As 2d 3h 4c 5s"), best("2s 3d 4h 5c 6s"));
    // A run of six counts from its top; the ace of a wheel does not spoil a higher run.
    EXPECT_EQ(best("4s 5d 6h 7c 8s 9d Kh"), hand(Hand::straight, nine));
    EXPECT_EQ(best("As 2d 3h 4c 5s 6d Kh"), hand(Hand::straight, six));
    // K-A-2-3-4 does not wrap around.
    EXPECT_EQ(best("Ks Ad 2h 3c 4s 9d 8h"), hand(Hand::no_pair, ace, king, nine, eight, four));
}

TEST(HandRanking, FlushTakesTheFiveHighestOfItsSuitOverAStraight)
{
    // Six hearts, not in sequence, and a straight of mixed suits 8-9-10-J-Q.
    const Hand flush = best("Qh Jh 9h 4h 2h 8h Td");
    EXPECT_EQ(flush, hand(Hand::flush, queen, jack, nine, eight, four));
    EXPECT_LT(best("Qd Jh 9h 8s Tc 2h 3h"), flush);
    // Flushes compare card by card down to the fifth.
    EXPECT_LT(best("Ah Kh 9h 4h 2h"), best("Ah Kh 9h 4h 3h"));
}

TEST(HandRanking, StraightFlushBeatsFourOfAKind)
{
    const Hand straight_flush = best("5s 6s 7s 8s 9s Kd Kh");
    EXPECT_EQ(straight_flush, hand(Hand::straight_flush, nine));
    EXPECT_LT(best("As Ad Ah Ac Kd"), straight_flush);
    EXPECT_EQ(best("As 2s 3s 4s 5s 9d Th"), hand(Hand::straight_flush, five));
    // Five spades and a straight of mixed suits are no straight flush.
    EXPECT_EQ(best("As 2s 3s 4d 5s 9s Th"), hand(Hand::flush, ace, nine, five, three, two));
    // The flush's highest straight is taken, not the straight of all values.
    EXPECT_EQ(best("4s 5s 6s 7s 8s 9d Ts"), hand(Hand::straight_flush, eight));
}

TEST(HandRanking, FullHousesFromTwoThreesOrThreeAndTwoPairs)
{
    EXPECT_EQ(best("7s 7d 7h 4c 4s 4d Kh"), hand(Hand::full_house, seven, four));
    EXPECT_EQ(best("8s 8d 8h Kc Ks 3d 3h"), hand(Hand::full_house, eight, king));
    // Three over the pair decides before the pair: 7s full of 4s beat 6s full of aces.
    EXPECT_LT(best("6s 6d 6h Ac As"), best("7s 7d 7h 4c 4s"));
    EXPECT_LT(best("7s 7d 7h 4c 4s 2d 3h"), best("7s 7d 7h 5c 5s 2d 3h"));
}

TEST(HandRanking, ThirdPairCanBeTheKicker)
{
    EXPECT_EQ(best("Ks Kd 9h 9c 4s 4d 2h"), hand(Hand::two_pair, king, nine, four));
    EXPECT_EQ(best("Ks Kd 9h 9c 4s 4d Qh"), hand(Hand::two_pair, king, nine, queen));
    EXPECT_LT(best("Ks Kd 9h 9c 3s 3d 2h"), best("Ks Kd 9h 9c 4s 4d 2h"));
}

TEST(HandRanking, KickersDecideWithinACategory)
{
    EXPECT_EQ(best("As Ad Ah Ac Kd Qh Js"), hand(Hand::four_of_a_kind, ace, king));
    EXPECT_EQ(best("Ts Td Th 2c 5d Jh 3s"), hand(Hand::three_of_a_kind, ten, jack, five));
    EXPECT_EQ(best("Ts Td 8h 2c 5d Jh 3s"), hand(Hand::one_pair, ten, jack, eight, five));
    EXPECT_EQ(best("Ks Jd 8h 2c 5d 9h 3s"), hand(Hand::no_pair, king, jack, nine, eight, five));

    // Only the fifth card differs: it decides.
    const Hand lower = best("Ks Jd 8h 5c 2d");
    const Hand higher = best("Kd Js 8c 5h 3s");
    EXPECT_LT(lower, higher);
    EXPECT_FALSE(higher < lower);
    // Equal keys in other suits split: neither is less.
    const Hand same = best("Kh Jc 8d 5s 2c");
    EXPECT_EQ(lower, same);
    EXPECT_FALSE(lower < same);
    EXPECT_FALSE(same < lower);
    // A sixth and seventh card below the best five change nothing.
    EXPECT_EQ(best("Ks Jd 8h 5c 4d 3h 2s"), best("Kd Js 8c 5h 4s 3s 2h"));
}

TEST(HandRanking, CategoryOutranksEveryKicker)
{
    const std::vector<Hand> rising = {
        best("Ah Kd Qc Js 9h"), best("2h 2d 3c 4s 5h 7d"),   best("2h 2d 3c 3s 4h"),
        best("2h 2d 2c 3s 4h"), best("As 2d 3h 4c 5s"),       best("2h 3h 4h 5h 7h"),
        best("2h 2d 2c 3s 3h"), best("2h 2d 2c 2s 3h"),       best("As 2s 3s 4s 5s"),
    };
    for (std::size_t i = 0; i + 1 < rising.size(); ++i) {
        EXPECT_EQ(rising[i].type, static_cast<Hand::Type>(i));
        EXPECT_LT(rising[i], rising[i + 1]) << Hand::type_name(rising[i].type);
    }
}

TEST(HandRanking, UnknownCardsAreSkipped)
{
    std::vector<Card> seven = cards("Ks Kd 9h 9c 4s 4d 2h");
    std::vector<Card> with_unknown = seven;
    with_unknown.insert(with_unknown.begin(), Card());
    with_unknown.insert(with_unknown.begin() + 4, Card());
    with_unknown.push_back(Card());
    EXPECT_EQ(Hand::best_hand(with_unknown), Hand::best_hand(seven));
}

// A card entered twice is not rejected anywhere before the ranking; it counts twice, in
// its value and in its suit.
TEST(HandRanking, CardGivenTwiceCountsTwice)
{
    EXPECT_EQ(best("As As Kd Qc 7h 5s 2d"), hand(Hand::one_pair, ace, king, queen, seven));
    EXPECT_EQ(best("Ks Ks Kd 9c 9h 2d 3c"), hand(Hand::full_house, king, nine));
    EXPECT_EQ(best("5c 5c 6d 7h 8s 9c Kd"), hand(Hand::straight, nine));
    // Five spades by count, four of them distinct: the fifth flush key is missing.
    EXPECT_EQ(best("As As Ks Qs Js 2d 3c"), hand(Hand::flush, ace, king, queen, jack, none));
}

TEST(HandRanking, ComparisonIsLexicographicOverSignedFields)
{
    EXPECT_LT(hand(Hand::no_pair, ace, king, none), hand(Hand::no_pair, ace, king, two));
    EXPECT_LT(hand(Hand::one_pair, two, three), hand(Hand::one_pair, two, four));
    EXPECT_LT(hand(Hand::one_pair, ace, ace, ace), hand(Hand::two_pair, two, two, two));
    EXPECT_FALSE(hand(Hand::flush, ace, 3, 2, 1, 0) < hand(Hand::flush, ace, 3, 2, 1, 0));
    EXPECT_NE(hand(Hand::flush, ace, 3, 2, 1, 0), hand(Hand::flush, ace, 3, 2, 1, none));
}

TEST(HandRanking, TypeNames)
{
    EXPECT_STREQ(Hand::type_name(Hand::no_pair), "No pair");
    EXPECT_STREQ(Hand::type_name(Hand::one_pair), "One pair");
    EXPECT_STREQ(Hand::type_name(Hand::two_pair), "Two pair");
    EXPECT_STREQ(Hand::type_name(Hand::three_of_a_kind), "Three of a kind");
    EXPECT_STREQ(Hand::type_name(Hand::straight), "Straight");
    EXPECT_STREQ(Hand::type_name(Hand::flush), "Flush");
    EXPECT_STREQ(Hand::type_name(Hand::full_house), "Full house");
    EXPECT_STREQ(Hand::type_name(Hand::four_of_a_kind), "Four of a kind");
    EXPECT_STREQ(Hand::type_name(Hand::straight_flush), "Straight Flush");
    EXPECT_STREQ(Hand::type_name(static_cast<Hand::Type>(9)), "ERROR");
    EXPECT_STREQ(Hand::type_name(static_cast<Hand::Type>(-1)), "ERROR");
}
