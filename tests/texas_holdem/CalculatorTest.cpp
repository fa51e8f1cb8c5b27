#include "texas_holdem/Calculator.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "poker/Hand.h"
#include "support/CardText.h"

using poker::Card;
using poker::Hand;
using poker::test::cards;
using poker::texas_holdem::Calculator;

namespace {

constexpr unsigned simulated_hands = Calculator::simulated_hands;
using Counts = std::vector<unsigned>;

// Gives the calculator the cards of `text` in the order hole, flop, turn, river.
void set_known(Calculator& calculator, const std::string& text)
{
    const std::vector<Card> c = cards(text);
    if (c.size() >= 2)
        calculator.set_hole(c[0], c[1]);
    if (c.size() >= 5)
        calculator.set_flop(c[2], c[3], c[4]);
    if (c.size() >= 6)
        calculator.set_turn(c[5]);
    if (c.size() >= 7)
        calculator.set_river(c[6]);
}

Counts counts_of_run(unsigned opponents, const std::string& known)
{
    Calculator calculator;
    calculator.setup(opponents);
    set_known(calculator, known);
    calculator.simulate_hands(simulated_hands);
    return calculator.counts;
}

// The exact chances of beating the first one, two and three opponents with the hole
// cards known[0..1] and the board known[2..], averaged over the board's completions.
//
// Call a pair of the remaining cards an edge when the user beats it. Opponents dealt from
// the same cards are all beaten exactly when they hold edges with no card in common, so
// the chance for k of them is the number of ordered k-tuples of disjoint edges over that
// of disjoint pairs. Two edges share one card at most: the degrees count the rest.
std::array<double, 3> exact_chances(const std::vector<Card>& known)
{
    std::vector<Card> rest;
    for (unsigned index = 0; index < Card::no_cards; ++index) {
        if (std::find(known.begin(), known.end(), Card::from_index(index)) == known.end())
            rest.push_back(Card::from_index(index));
    }
    const double n = double(rest.size());
    std::array<double, 3> chances{};
    if (known.size() < Calculator::no_user_cards) {
        for (const Card& next : rest) {
            std::vector<Card> more = known;
            more.push_back(next);
            const std::array<double, 3> more_chances = exact_chances(more);
            for (std::size_t k = 0; k < chances.size(); ++k)
                chances[k] += more_chances[k] / n;
        }
        return chances;
    }
    using Cards = std::bitset<Card::no_cards>;
    const Hand user = Hand::best_hand(known);
    std::array<Cards, Card::no_cards> beaten{};
    std::vector<Card> opponent = known;
    for (const Card& a : rest) {
        for (const Card& b : rest) {
            opponent[0] = a;
            opponent[1] = b;
            if (a.index() < b.index() && Hand::best_hand(opponent) < user) {
                beaten[a.index()].set(b.index());
                beaten[b.index()].set(a.index());
            }
        }
    }
    // The edges clear of the cards `away`, and the unordered pairs of disjoint ones among
    // them: all pairs less those meeting at a card.
    const auto count = [&](const Cards& away) {
        double edges = 0;
        double meeting = 0;
        for (unsigned w = 0; w < Card::no_cards; ++w) {
            const double d = away[w] ? 0 : double((beaten[w] & ~away).count());
            edges += d / 2;
            meeting += d * (d - 1) / 2;
        }
        return std::pair{edges, edges * (edges - 1) / 2 - meeting};
    };
    // An ordered triple is an edge followed by an ordered pair of edges clear of it.
    double triples = 0;
    for (unsigned u = 0; u < Card::no_cards; ++u) {
        for (unsigned v = u + 1; v < Card::no_cards; ++v)
            triples += beaten[u][v] ? 2 * count(Cards().set(u).set(v)).second : 0;
    }
    const auto [edges, pairs] = count(Cards());
    const double deals1 = n * (n - 1) / 2;
    const double deals2 = deals1 * (n - 2) * (n - 3) / 2;
    const double deals3 = deals2 * (n - 4) * (n - 5) / 2;
    return {edges / deals1, 2 * pairs / deals2, triples / deals3};
}

} // namespace

// Every build must reproduce these counts exactly: they pin the seed, the generator and
// the order of the draws (the user's unknown cards in place order, then opponent after
// opponent only while the user keeps winning), and so what the user sees for his cards.
TEST(Calculator, DeterminismSignature)
{
    EXPECT_EQ(counts_of_run(3, "Ah Kh"), (Counts{10000, 6576, 4922, 3994}));
    EXPECT_EQ(counts_of_run(9, ""), (Counts{10000, 4876, 3242, 2396, 1922, 1567, 1328, 1172, 1035, 899}));
    // Within a hand the engine runs on from run to run, and each run counts afresh.
    Calculator calculator;
    calculator.setup(2);
    for (const auto& [known, expected] : {std::pair{"Ts 9s 8s 7d 2c", Counts{10000, 5392, 4366}},
                                          std::pair{"Ts 9s 8s 7d 2c Jh", Counts{10000, 9690, 9368}},
                                          std::pair{"Ts 9s 8s 7d 2c Jh 4h", Counts{10000, 9912, 9830}}}) {
        set_known(calculator, known);
        calculator.simulate_hands(simulated_hands);
        EXPECT_EQ(calculator.counts, expected) << known;
    }
    // Watching a hand: the board known, the hole cards dealt first, in place order.
    calculator.setup(5);
    const std::vector<Card> flop = cards("8s 9s 2h");
    calculator.set_flop(flop[0], flop[1], flop[2]);
    calculator.simulate_hands(simulated_hands);
    EXPECT_EQ(calculator.counts, (Counts{10000, 4852, 3256, 2410, 1900, 1538}));
    // A card given twice takes the general loop, which deals and counts the same way.
    EXPECT_EQ(counts_of_run(2, "As As 5d 6d 7d"), (Counts{10000, 5894, 3935}));
}

// A royal flush in hand beats everybody; a royal flush on the board is a split for
// everybody, and a split is no win, also where a card given twice takes the general loop.
TEST(Calculator, RoyalFlushWinsEveryHandAndASplitIsNoWin)
{
    EXPECT_EQ(counts_of_run(6, "As Ks Qs Js Ts 2h 3d"), Counts(7, simulated_hands));
    EXPECT_EQ(counts_of_run(3, "2c 3d As Ks Qs Js Ts"), (Counts{simulated_hands, 0, 0, 0}));
    EXPECT_EQ(counts_of_run(3, "2c 2c As Ks Qs Js Ts"), (Counts{simulated_hands, 0, 0, 0}));
}

// One turn board against one opponent (the river enumerated) and one flop against three
// (turn and river enumerated), each held against one run of 10,000 hands.
TEST(Calculator, AgreesWithExactEnumerationWithinFourStandardErrors)
{
    for (const auto& [known, opponents] : {std::pair{"Jc Tc 9c 8d 2h Ks", 1u}, std::pair{"9s 9d Kc 7h 2s", 3u}}) {
        const std::array<double, 3> exact = exact_chances(cards(known));
        const Counts counts = counts_of_run(opponents, known);
        for (unsigned k = 1; k <= opponents; ++k) {
            const double p = exact[k - 1];
            EXPECT_NEAR(double(counts[k]) / counts[0], p, 4 * std::sqrt(p * (1 - p) / simulated_hands))
                << known << " against " << k;
        }
    }
}

// Setup forgets the last hand's cards; the figure for k opponents blends beating all with
// beating k; a fold or a new number of opponents keeps the counts that still apply.
TEST(Calculator, SetupCardsFiguresAndOpponentChanges)
{
    Calculator calculator;
    calculator.setup(1);
    set_known(calculator, "Ah Kh 2c 3d 4s 5h 6c");
    EXPECT_EQ(calculator.user_cards, cards("Ah Kh 2c 3d 4s 5h 6c"));
    calculator.setup(3);
    EXPECT_EQ(calculator.user_cards, std::vector<Card>(7, Card()));
    EXPECT_EQ(calculator.counts, Counts(4, 0));
    calculator.counts = {200, 120, 80, 50};
    EXPECT_DOUBLE_EQ(calculator.probability(0, 0.5), 1.0);
    EXPECT_DOUBLE_EQ(calculator.probability(2, 1.0), 50.0 / 200);
    EXPECT_DOUBLE_EQ(calculator.probability(1, 0.25), 0.25 * 50 / 200 + 0.75 * 120 / 200);
    calculator.fold();
    EXPECT_EQ(calculator.counts, (Counts{200, 120, 80}));
    calculator.reset_no_opponents(4);
    EXPECT_EQ(calculator.counts, (Counts{200, 120, 80, 0, 0}));
}
