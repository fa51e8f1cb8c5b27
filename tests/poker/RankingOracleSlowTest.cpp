#include "poker/Hand.h"

#include <array>
#include <cstdint>
#include <random>
#include <sstream>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "poker/CardSet.h"

using poker::Card;
using poker::CardSet;
using poker::Hand;

namespace {

// Hands per category, no_pair first.
using Counts = std::array<std::uint64_t, Hand::straight_flush + 1>;

// Fails the running test at the first hand on which the fast ranking and the counting
// rules disagree, once however many more do.
struct Disagreements {
    bool seen = false;

    void check(const Card* cards, std::size_t size, std::uint32_t fast, std::uint32_t counted)
    {
        if (fast == counted || std::exchange(seen, true))
            return;
        std::ostringstream text;
        for (std::size_t i = 0; i < size; ++i)
            text << cards[i].value << "/" << cards[i].suit << " ";
        ADD_FAILURE() << text.str() << "fast " << std::hex << fast << " counted " << counted;
    }
};

// Seven distinct cards; every third set is flush-heavy (four to seven of one suit) and
// every third crowded onto four values (quads, full houses, two threes of a kind).
std::array<Card, 7> random_seven(std::mt19937& random, unsigned kind)
{
    std::array<Card, 7> seven;
    std::uint64_t taken = 0;
    std::uniform_int_distribution<unsigned> any_card(0, Card::no_cards - 1);
    std::uniform_int_distribution<int> any_value(0, Card::no_values - 1);
    std::uniform_int_distribution<int> any_suit(0, Card::no_suits - 1);
    const auto suit = static_cast<Card::Suit>(any_suit(random));
    const unsigned suited = kind == 1 ? 4 + random() % 4 : 0;
    const int low_value = any_value(random) % (Card::no_values - 3);
    for (unsigned i = 0; i < seven.size();) {
        Card card = Card::from_index(any_card(random));
        if (i < suited)
            card.suit = suit;
        if (kind == 2)
            card.value = low_value + any_value(random) % 4;
        if ((taken >> card.index()) & 1)
            continue;
        taken |= std::uint64_t{1} << card.index();
        seven[i++] = card;
    }
    return seven;
}

// Calls `rank` with every hand of `size` (5 to 7) of the 52 cards; returns how many hands
// fell into each category and how many distinct hand values there were.
template <typename Rank>
std::pair<Counts, std::uint64_t> census_of_every_hand(unsigned size, Rank rank)
{
    Counts per_type{};
    std::uint64_t classes = 0;
    std::vector<bool> seen(std::size_t{1} << 24);
    std::array<Card, 7> hand;
    // Fills places `depth` on with cards from index `first` up, in rising order.
    const auto fill = [&](const auto& self, unsigned depth, unsigned first) -> void {
        if (depth == size) {
            const Hand h = rank(hand.data(), std::size_t{size});
            ++per_type[h.type];
            classes += seen[h.strength()] ? 0 : 1;
            seen[h.strength()] = true;
            return;
        }
        for (unsigned i = first; i + size - depth <= Card::no_cards; ++i) {
            hand[depth] = Card::from_index(i);
            self(self, depth + 1, i + 1);
        }
    };
    fill(fill, 0, 0);
    return {per_type, classes};
}

} // namespace

// Published counts: 133,784,560 seven-card hands in 4,824 classes of their best five.
TEST(RankingOracleSlow, EverySevenCardHandFallsIntoThePublishedClasses)
{
    const auto [per_type, classes] =
        census_of_every_hand(7, [](const Card* cards, std::size_t n) { return Hand::best_hand(cards, n); });
    EXPECT_EQ(classes, 4824u);
    EXPECT_EQ(per_type, (Counts{23294460, 58627800, 31433400, 6461620, 6180020, 4047644, 3473184, 224848, 41584}));
}

// The literal counting rules against the published figures: every five-card hand falls
// into the known categories and 7,462 classes. The fast ranking (the card set, and
// best_hand on distinct cards) must give exactly what the counting rules give.
TEST(RankingOracleSlow, EveryFiveCardHandRanksAsTheCountingRulesAndThePublishedCounts)
{
    Disagreements with_set, with_best_hand;
    const auto [per_type, classes] = census_of_every_hand(5, [&](const Card* five, std::size_t n) {
        const Hand counted = Hand::counted_best_hand(five, n);
        CardSet set;
        for (std::size_t i = 0; i < n; ++i)
            set.add(five[i]);
        with_set.check(five, n, set.strength(), counted.strength());
        with_best_hand.check(five, n, Hand::best_hand(five, n).strength(), counted.strength());
        return counted;
    });
    EXPECT_EQ(per_type, (Counts{1302540, 1098240, 123552, 54912, 10200, 5108, 3744, 624, 40}));
    EXPECT_EQ(classes, 7462u);
}

// A million random seven-card sets, ranked the way the simulation does (a board set,
// copied, with two hole cards added) and by best_hand, against the counting rules; and
// strengths order exactly as the hands do.
TEST(RankingOracleSlow, MillionSevenCardSetsRankAsTheCountingRules)
{
    constexpr unsigned sets = 1000000;
    std::mt19937 random(11);
    Disagreements with_set, with_best_hand, order;
    std::array<unsigned, Hand::straight_flush + 1> per_type{};
    Hand previous = Hand::from_strength(0);
    for (unsigned i = 0; i < sets; ++i) {
        const std::array<Card, 7> seven = random_seven(random, i % 3);
        const Hand counted = Hand::counted_best_hand(seven.data(), seven.size());
        CardSet board;
        for (unsigned k = 2; k < seven.size(); ++k)
            board.add(seven[k]);
        CardSet set = board;
        set.add(seven[0]);
        set.add(seven[1]);
        with_set.check(seven.data(), 7, set.strength(), counted.strength());
        with_best_hand.check(seven.data(), 7, Hand::best_hand(seven.data(), 7).strength(), counted.strength());
        order.check(seven.data(), 7, previous < counted, previous.strength() < counted.strength());
        ++per_type[counted.type];
        previous = counted;
    }
    // Every category came up often, so each branch of both rankings was taken.
    for (unsigned count : per_type)
        EXPECT_GT(count, 1000u);
}
