#include "texas_holdem/Calculator.h"

#include <random>

#include <gtest/gtest.h>

#include "support/SimulationIdentity.h"

// The counts of the first version, Boost's draws and card-set ranking, over every player
// count, every board size, known and unknown hole cards and several seeds; two settings
// run two million hands each.
TEST(CalculatorSlow, CountsAsTheFirstVersionForEverySetting)
{
    constexpr unsigned hands = 20000;
    constexpr unsigned long_run = 2000000;
    std::mt19937 pick(12);
    for (unsigned seed : {2u, 3u, 1000003u}) {
        for (unsigned players = 2; players <= 16; ++players) {
            for (unsigned board : {0u, 3u, 4u, 5u}) {
                for (bool hole_known : {false, true}) {
                    const auto known = poker::test::random_known_cards(pick, hole_known, board);
                    EXPECT_EQ(poker::test::counts_differ(seed, players, known, hands), "");
                }
            }
        }
    }
    EXPECT_EQ(poker::test::counts_differ(2, 4, poker::test::random_known_cards(pick, true, 0), long_run), "");
    EXPECT_EQ(poker::test::counts_differ(2, 16, poker::test::random_known_cards(pick, false, 0), long_run), "");
}
