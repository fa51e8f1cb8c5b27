#include "texas_holdem/ExactOdds.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/CardText.h"
#include "support/ExactChances.h"
#include "texas_holdem/Calculator.h"

using poker::Card;
using poker::texas_holdem::ExactOdds;

// Exact counts, a river against three opponents, a turn and a flop against one, on one
// thread and on three: every board's completion times the ordered holdings of disjoint
// pairs of the 45 cards then left, and as wins the chances the test's own count of beaten
// pairs gives; and the number of cases before the flop.
TEST(ExactOdds, CountsEveryCaseAsTheBeatenPairsGiveOnAnyNumberOfThreads)
{
    for (const auto& [known, opponents] :
         {std::pair{"ac 2d 5h 9s jc qd 7h", 3u}, std::pair{"ah kd qs js 2c 7h", 1u}, std::pair{"ah kd qs js 2c", 1u}}) {
        std::vector<Card> seven = poker::test::cards(known);
        const std::array<double, 3> chances = poker::test::exact_chances(seven);
        const std::uint64_t boards = seven.size() == 7 ? 1 : seven.size() == 6 ? 46 : 47 * 46 / 2;
        ExactOdds::Counts expected{{boards, boards * 990, boards * 990 * 903, boards * 990 * 903 * 820}, {boards}};
        expected.cases.resize(opponents + 1);
        for (unsigned k = 1; k <= opponents; ++k)
            expected.wins.push_back(static_cast<std::uint64_t>(std::llround(chances[k - 1] * expected.cases[k])));
        seven.resize(poker::texas_holdem::Calculator::no_user_cards);
        for (unsigned jobs : {1u, 3u}) {
            const ExactOdds::Counts counts = ExactOdds::count(seven, opponents, jobs);
            EXPECT_EQ(counts.cases, expected.cases) << known << ", jobs " << jobs;
            EXPECT_EQ(counts.wins, expected.wins) << known << ", jobs " << jobs;
        }
    }
    // C(50, 5) boards with C(45, 2) holdings for one opponent, times C(43, 2) for two.
    const std::vector<Card> preflop = {
        Card(12, Card::hearts), Card(11, Card::hearts), Card(), Card(), Card(), Card(), Card()};
    EXPECT_EQ(ExactOdds::no_cases(preflop, 1), 2118760ull * 990);
    EXPECT_EQ(ExactOdds::no_cases(preflop, 2), 2118760ull * (990 + 990 * 903));
}
