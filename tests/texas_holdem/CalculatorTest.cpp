#include "texas_holdem/Calculator.h"

#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/CardText.h"
#include "support/ExactChances.h"

using poker::Card;
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
        const std::array<double, 3> exact = poker::test::exact_chances(cards(known));
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
