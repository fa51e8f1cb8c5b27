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

constexpr unsigned simulated_hands = 10000;
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

Counts counts_of_run(unsigned opponents, const std::string& known, unsigned hands)
{
    Calculator calculator;
    calculator.setup(opponents);
    set_known(calculator, known);
    calculator.simulate_hands(hands);
    return calculator.counts;
}

std::vector<Card> rest_of_deck(const std::vector<Card>& used)
{
    std::vector<Card> rest;
    for (unsigned index = 0; index < Card::no_cards; ++index) {
        if (std::find(used.begin(), used.end(), Card::from_index(index)) == used.end())
            rest.push_back(Card::from_index(index));
    }
    return rest;
}

// The exact chances of beating the first one, two and three opponents with the hole
// cards known[0..1] on the complete board known[2..6].
//
// An opponent's holding is a pair of the remaining cards; call it an edge when the user
// beats it. Opponents dealt one after another from the same cards are all beaten exactly
// when their pairs are edges with no card in common, so the chance for k opponents is the
// number of ordered k-tuples of disjoint edges over that of ordered k-tuples of disjoint
// pairs. Two edges meet in one card at most, which makes the disjoint ones countable
// from the degrees.
std::array<double, 3> exact_on_river(const std::vector<Card>& known)
{
    const Hand user = Hand::best_hand(known);
    const std::vector<Card> rest = rest_of_deck(known);
    std::array<std::bitset<Card::no_cards>, Card::no_cards> beaten{};
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
    std::array<double, Card::no_cards> degree{};
    double edges = 0;
    for (unsigned v = 0; v < Card::no_cards; ++v) {
        degree[v] = double(beaten[v].count());
        edges += degree[v] / 2;
    }
    // Unordered pairs of disjoint edges among the edges away from cards u and v (away from
    // none when `apart` is false): all pairs less those meeting at some card.
    const auto disjoint_pairs = [&](bool apart, unsigned u, unsigned v) {
        const double e = edges - (apart ? degree[u] + degree[v] - 1 : 0);
        double meeting = 0;
        for (unsigned w = 0; w < Card::no_cards; ++w) {
            if (apart && (w == u || w == v))
                continue;
            const double d = degree[w] - (apart ? beaten[w][u] + beaten[w][v] : 0);
            meeting += d * (d - 1) / 2;
        }
        return e * (e - 1) / 2 - meeting;
    };
    // An ordered triple is an edge followed by an ordered pair of edges away from it.
    double triples = 0;
    for (unsigned u = 0; u < Card::no_cards; ++u) {
        for (unsigned v = u + 1; v < Card::no_cards; ++v)
            triples += beaten[u][v] ? 2 * disjoint_pairs(true, u, v) : 0;
    }
    const double n = double(rest.size());
    const double deals1 = n * (n - 1) / 2;
    const double deals2 = deals1 * (n - 2) * (n - 3) / 2;
    const double deals3 = deals2 * (n - 4) * (n - 5) / 2;
    return {edges / deals1, 2 * disjoint_pairs(false, 0, 0) / deals2, triples / deals3};
}

// The same for a board of three or four cards, averaged over its completions.
std::array<double, 3> exact_chances(const std::vector<Card>& known)
{
    if (known.size() == Calculator::no_user_cards)
        return exact_on_river(known);
    const std::vector<Card> rest = rest_of_deck(known);
    std::array<double, 3> mean{};
    for (const Card& next : rest) {
        std::vector<Card> more = known;
        more.push_back(next);
        const std::array<double, 3> chances = exact_chances(more);
        for (std::size_t k = 0; k < mean.size(); ++k)
            mean[k] += chances[k] / double(rest.size());
    }
    return mean;
}

} // namespace

TEST(Calculator, SetupClearsTheCardsWhichThenGoToTheirPlaces)
{
    Calculator calculator;
    calculator.setup(1);
    set_known(calculator, "Ah Kh");
    calculator.setup(3);
    EXPECT_EQ(calculator.counts, Counts(4, 0));
    EXPECT_EQ(calculator.user_cards, std::vector<Card>(7, Card()));
    set_known(calculator, "Ah Kh 2c 3d 4s 5h 6c");
    EXPECT_EQ(calculator.user_cards, cards("Ah Kh 2c 3d 4s 5h 6c"));
}

// Every build (plain, sanitized, other compiler) must reproduce these exact counts. They
// pin the seed, the generator and the order of the draws: the user's unknown cards in
// place order, then opponent after opponent only while the user keeps winning. A change
// to any of them changes what the user sees for the same cards, and fails here.
TEST(Calculator, DeterminismSignature)
{
    EXPECT_EQ(counts_of_run(3, "Ah Kh", simulated_hands), (Counts{10000, 6576, 4922, 3994}));
    EXPECT_EQ(counts_of_run(9, "", simulated_hands),
              (Counts{10000, 4876, 3242, 2396, 1922, 1567, 1328, 1172, 1035, 899}));
}

// Within a hand the engine runs on from run to run, and each run counts afresh.
TEST(Calculator, DeterminismSignatureOverTheRoundsOfAHand)
{
    Calculator calculator;
    calculator.setup(2);
    const std::pair<const char*, Counts> rounds[] = {
        {"Ts 9s 8s 7d 2c", {10000, 5392, 4366}},
        {"Ts 9s 8s 7d 2c Jh", {10000, 9690, 9368}},
        {"Ts 9s 8s 7d 2c Jh 4h", {10000, 9912, 9830}},
    };
    for (const auto& [known, expected] : rounds) {
        set_known(calculator, known);
        calculator.simulate_hands(simulated_hands);
        EXPECT_EQ(calculator.counts, expected) << known;
    }
}

// A royal flush in hand beats everybody; a royal flush on the board is a split for
// everybody, and a split is no win.
TEST(Calculator, RoyalFlushWinsEveryHandAndASplitIsNoWin)
{
    EXPECT_EQ(counts_of_run(6, "As Ks Qs Js Ts 2h 3d", 2000), Counts(7, 2000));
    EXPECT_EQ(counts_of_run(3, "2c 3d As Ks Qs Js Ts", 2000), (Counts{2000, 0, 0, 0}));
}

// One turn board against one opponent (the river enumerated) and one flop against three
// (turn and river enumerated), each held against one run of 10,000 hands.
TEST(Calculator, AgreesWithExactEnumerationWithinFourStandardErrors)
{
    for (const auto& [known, opponents] : {std::pair{"Jc Tc 9c 8d 2h Ks", 1u},
                                           std::pair{"9s 9d Kc 7h 2s", 3u}}) {
        const std::array<double, 3> exact = exact_chances(cards(known));
        const Counts counts = counts_of_run(opponents, known, simulated_hands);
        for (unsigned k = 1; k <= opponents; ++k) {
            const double p = exact[k - 1];
            EXPECT_NEAR(double(counts[k]) / counts[0], p,
                        4 * std::sqrt(p * (1 - p) / simulated_hands))
                << known << " against " << k;
        }
    }
}

TEST(Calculator, ProbabilityBlendsBeatingAllWithBeatingK)
{
    Calculator calculator;
    calculator.setup(3);
    calculator.counts = {200, 120, 80, 50};
    EXPECT_DOUBLE_EQ(calculator.probability(0, 0.5), 1.0);
    EXPECT_DOUBLE_EQ(calculator.probability(2, 1.0), 50.0 / 200);
    EXPECT_DOUBLE_EQ(calculator.probability(1, 0.0), 120.0 / 200);
    EXPECT_DOUBLE_EQ(calculator.probability(1, 0.25), 0.25 * 50 / 200 + 0.75 * 120 / 200);
}

TEST(Calculator, OpponentCountChangesKeepTheRemainingCounts)
{
    Calculator calculator;
    calculator.setup(3);
    calculator.counts = {10, 8, 6, 4};
    calculator.fold();
    EXPECT_EQ(calculator.counts, (Counts{10, 8, 6}));
    calculator.reset_no_opponents(4);
    EXPECT_EQ(calculator.counts, (Counts{10, 8, 6, 0, 0}));
}

#ifndef NDEBUG
TEST(CalculatorDeathTest, RunAndFiguresNeedTheirPrerequisites)
{
    Calculator calculator;
    EXPECT_DEATH(calculator.simulate_hands(1), "setup");
    calculator.setup(2);
    EXPECT_DEATH(calculator.probability(1, 0.5), "run");
    calculator.simulate_hands(1);
    EXPECT_DEATH(calculator.probability(3, 0.5), "");
}
#endif
