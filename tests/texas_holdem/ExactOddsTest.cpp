#include "texas_holdem/ExactOdds.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "poker/Hand.h"
#include "support/CardText.h"
#include "texas_holdem/Calculator.h"

using poker::Card;
using poker::texas_holdem::ExactOdds;

namespace {

// The counts by brute force for known hole cards and four or five board cards: every
// river, every ordered holding of one or two opponents, each hand ranked on its own.
ExactOdds::Counts brute_force(std::vector<Card> seven, unsigned opponents)
{
    ExactOdds::Counts counts{std::vector<std::uint64_t>(opponents + 1), std::vector<std::uint64_t>(opponents + 1)};
    const auto free = [&](unsigned i) {
        return std::find(seven.begin(), seven.end(), Card::from_index(i)) == seven.end();
    };
    std::vector<std::pair<unsigned, unsigned>> holdings, beaten;
    for (unsigned a = 0; a < Card::no_cards; ++a) {
        for (unsigned b = a + 1; b < Card::no_cards; ++b) {
            if (!seven.back().is_unknown() && free(a) && free(b))
                holdings.emplace_back(a, b);
        }
    }
    for (unsigned river = 0; river < Card::no_cards && seven.back().is_unknown(); ++river) {
        if (!free(river))
            continue;
        seven.back() = Card::from_index(river);
        const ExactOdds::Counts more = brute_force(seven, opponents);
        seven.back() = Card();
        for (unsigned k = 0; k <= opponents; ++k) {
            counts.cases[k] += more.cases[k];
            counts.wins[k] += more.wins[k];
        }
    }
    if (holdings.empty())
        return counts;
    const poker::Hand user = poker::Hand::best_hand(seven);
    for (const auto& [a, b] : holdings) {
        std::vector<Card> other = seven;
        other[0] = Card::from_index(a);
        other[1] = Card::from_index(b);
        if (poker::Hand::best_hand(other) < user)
            beaten.emplace_back(a, b);
    }
    // Two holdings apart from each other, counted over ordered pairs of a list.
    const auto apart_pairs = [](const std::vector<std::pair<unsigned, unsigned>>& list) {
        std::uint64_t n = 0;
        for (const auto& [a, b] : list) {
            for (const auto& [c, d] : list)
                n += a != c && a != d && b != c && b != d;
        }
        return n;
    };
    counts.cases = {1, holdings.size(), apart_pairs(holdings)};
    counts.wins = {1, beaten.size(), apart_pairs(beaten)};
    counts.cases.resize(opponents + 1);
    counts.wins.resize(opponents + 1);
    return counts;
}

} // namespace

// Exact counts against a brute force, a river against two opponents and a turn against
// one, on one thread and on three; and the number of cases before the flop.
TEST(ExactOdds, CountsEveryCaseAsABruteForceDoesOnAnyNumberOfThreads)
{
    for (const auto& [known, opponents] : {std::pair{"ts th td 9s 8c 3h 2d", 2u}, std::pair{"ah kd qs js 2c 7h", 1u}}) {
        std::vector<Card> seven = poker::test::cards(known);
        seven.resize(poker::texas_holdem::Calculator::no_user_cards);
        const ExactOdds::Counts expected = brute_force(seven, opponents);
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
