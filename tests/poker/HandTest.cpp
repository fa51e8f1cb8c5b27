#include "poker/Hand.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/CardText.h"

using poker::Card;
using poker::Hand;
using poker::test::cards;

namespace {

constexpr int none = Hand::no_key;
enum Value { two, three, four, five, six, seven, eight, nine, ten, jack, queen, king, ace };

Hand best(const std::string& text)
{
    return Hand::best_hand(cards(text));
}

Hand hand(Hand::Type type, int k1, int k2 = none, int k3 = none, int k4 = none, int k5 = none)
{
    return Hand(type, k1, k2, k3, k4, k5);
}

} // namespace

TEST(HandRanking, BestFiveCardsWithTheirKickers)
{
    const std::pair<const char*, Hand> rows[] = {
        // A run of six counts from its top; the ace of a wheel does not spoil a higher run.
        {"4s 5d 6h 7c 8s 9d Kh", hand(Hand::straight, nine)},
        {"As 2d 3h 4c 5s 6d Kh", hand(Hand::straight, six)},
        // K-A-2-3-4 does not wrap around.
        {"Ks Ad 2h 3c 4s 9d 8h", hand(Hand::no_pair, ace, king, nine, eight, four)},
        {"Qh Jh 9h 4h 2h 8h Td", hand(Hand::flush, queen, jack, nine, eight, four)},
        // Five spades and a straight of mixed suits are no straight flush.
        {"As 2s 3s 4d 5s 9s Th", hand(Hand::flush, ace, nine, five, three, two)},
        // The flush's highest straight, not the straight of all values.
        {"4s 5s 6s 7s 8s 9d Ts", hand(Hand::straight_flush, eight)},
        {"7s 7d 7h 4c 4s 4d Kh", hand(Hand::full_house, seven, four)},
        {"8s 8d 8h Kc Ks 3d 3h", hand(Hand::full_house, eight, king)},
        // Of three pairs the third can only be the kicker, and a higher single beats it.
        {"Ks Kd 9h 9c 4s 4d 2h", hand(Hand::two_pair, king, nine, four)},
        {"Ks Kd 9h 9c 4s 4d Qh", hand(Hand::two_pair, king, nine, queen)},
        {"As Ad Ah Ac Kd Qh Js", hand(Hand::four_of_a_kind, ace, king)},
        {"Ts Td Th 2c 5d Jh 3s", hand(Hand::three_of_a_kind, ten, jack, five)},
        {"Ts Td 8h 2c 5d Jh 3s", hand(Hand::one_pair, ten, jack, eight, five)},
        // A card given twice counts twice; a flush of four distinct cards has no fifth key.
        {"As As Kd Qc 7h 5s 2d", hand(Hand::one_pair, ace, king, queen, seven)},
        {"As As Ks Qs Js 2d 3c", hand(Hand::flush, ace, king, queen, jack, none)},
    };
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(best(text), expected) << text;
    // Unknown cards are skipped, also where a card given twice is counted.
    std::vector<Card> with_unknown = cards("Ks Kd 9h 9c 4s 4d 2h");
    with_unknown.insert(with_unknown.begin() + 3, Card());
    with_unknown.push_back(Card());
    EXPECT_EQ(Hand::best_hand(with_unknown), hand(Hand::two_pair, king, nine, four));
    std::vector<Card> repeated = cards("As As Kd Qd Jd 9d 3c");
    repeated.insert(repeated.begin() + 2, 2, Card());
    EXPECT_EQ(Hand::best_hand(repeated), hand(Hand::one_pair, ace, king, queen, jack));
}

TEST(HandRanking, ComparisonsThatDecidePots)
{
    const std::pair<const char*, const char*> lower_higher[] = {
        {"As 2d 3h 4c 5s", "2s 3d 4h 5c 6s"},             // the wheel is the lowest straight
        {"Ah Kh 9h 4h 2h", "Ah Kh 9h 4h 3h"},             // flushes compare to the fifth card
        {"Ks Jd 8h 5c 2d", "Kd Js 8c 5h 3s"},             // so do no-pair hands
        {"6s 6d 6h Ac As", "7s 7d 7h 4c 4s"},             // the three decide a full house
        {"7s 7d 7h 4c 4s 2d 3h", "7s 7d 7h 5c 5s 2d 3h"}, // then the pair
        {"Ks Kd 9h 9c 3s 3d 2h", "Ks Kd 9h 9c 4s 4d 2h"}, // the third pair as kicker
        // Every category beats the best hand of the one below.
        {"Ah Kd Qc Js 9h", "2h 2d 3c 4s 5h"},
        {"Ah Ad Kc Qs Jh", "2h 2d 3c 3s 4h"},
        {"Ah Ad Kc Ks Qh", "2h 2d 2c 3s 4h"},
        {"Ah Ad Ac Ks Qh", "As 2d 3h 4c 5s"},
        {"As Kd Qh Jc Ts", "2h 3h 4h 5h 7h"},
        {"Qd Jh 9h 8s Tc 2h 3h", "Qh Jh 9h 4h 2h 8h Td"}, // flush over straight, same cards
        {"Ah Kh Qh Jh 9h", "2h 2d 2c 3s 3h"},
        {"Ah Ad Ac Ks Kh", "2h 2d 2c 2s 3h"},
        {"As Ad Ah Ac Kd", "As 2s 3s 4s 5s"}, // straight flush over four of a kind
    };
    for (const auto& [lower, higher] : lower_higher) {
        EXPECT_LT(best(lower), best(higher)) << lower << " < " << higher;
        EXPECT_FALSE(best(higher) < best(lower)) << higher;
    }
    // Equal keys in other suits split, and cards below the best five change nothing.
    const char* const a = "Ks Jd 8h 5c 4d 3h 2s";
    const char* const b = "Kd Js 8c 5h 4s 3s 2h";
    EXPECT_EQ(best(a), best(b));
    EXPECT_FALSE(best(a) < best(b) || best(b) < best(a));
}
