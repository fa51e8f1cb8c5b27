#include "texas_holdem/ExactOdds.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <tuple>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "poker/Hand.h"
#include "support/CardText.h"
#include "texas_holdem/Calculator.h"

using poker::Card;
using poker::Hand;
using poker::test::cards;
using poker::texas_holdem::Calculator;
using poker::texas_holdem::ExactOdds;

namespace {

// The seven places from "hole board" text; "??" leaves a place unknown.
std::vector<Card> places(const std::string& hole, const std::string& board)
{
    std::vector<Card> seven(Calculator::no_user_cards);
    if (hole != "??") {
        const std::vector<Card> h = cards(hole);
        seven[0] = h[0];
        seven[1] = h[1];
    }
    const std::vector<Card> b = cards(board);
    std::copy(b.begin(), b.end(), seven.begin() + Calculator::flop_position);
    return seven;
}

// The counts by brute force: every deal of the unknown places, every ordered holding of
// up to two opponents, each hand ranked from its seven cards.
ExactOdds::Counts brute_force(std::vector<Card> seven, unsigned opponents,
                              const std::vector<Card>& given)
{
    ExactOdds::Counts counts{std::vector<std::uint64_t>(opponents + 1),
                             std::vector<std::uint64_t>(opponents + 1)};
    const auto taken = [&](const Card& card) {
        return std::find(seven.begin(), seven.end(), card) != seven.end();
    };
    std::size_t place = 0;
    while (place < seven.size() && !seven[place].is_unknown())
        ++place;
    if (place < seven.size()) {
        // Cards rise within the unknown hole places and within the unknown board places.
        const bool rises = place != 0 && place != Calculator::flop_position
            && given[place - 1].is_unknown();
        const unsigned from = rises ? seven[place - 1].index() + 1 : 0;
        for (unsigned i = from; i < Card::no_cards; ++i) {
            if (taken(Card::from_index(i)))
                continue;
            seven[place] = Card::from_index(i);
            const ExactOdds::Counts more = brute_force(seven, opponents, given);
            for (unsigned k = 0; k <= opponents; ++k) {
                counts.cases[k] += more.cases[k];
                counts.wins[k] += more.wins[k];
            }
        }
        return counts;
    }
    const Hand user = Hand::best_hand(seven);
    std::vector<std::pair<Card, Card>> holdings, beaten;
    for (unsigned a = 0; a < Card::no_cards; ++a) {
        for (unsigned b = a + 1; b < Card::no_cards; ++b) {
            const Card x = Card::from_index(a), y = Card::from_index(b);
            if (taken(x) || taken(y))
                continue;
            holdings.emplace_back(x, y);
            std::vector<Card> other = seven;
            other[0] = x;
            other[1] = y;
            if (Hand::best_hand(other) < user)
                beaten.emplace_back(x, y);
        }
    }
    counts.cases[0] = counts.wins[0] = 1;
    counts.cases[1] = holdings.size();
    counts.wins[1] = beaten.size();
    if (opponents >= 2) {
        const auto apart = [](const std::pair<Card, Card>& p, const std::pair<Card, Card>& q) {
            return p.first != q.first && p.first != q.second && p.second != q.first
                && p.second != q.second;
        };
        for (const auto& p : holdings) {
            for (const auto& q : holdings)
                counts.cases[2] += apart(p, q);
        }
        for (const auto& p : beaten) {
            for (const auto& q : beaten)
                counts.wins[2] += apart(p, q);
        }
    }
    return counts;
}

} // namespace

// Exact counts against a brute force: a river against two opponents, a turn (the river
// dealt), unknown hole cards on a river; any number of threads counts the same.
TEST(ExactOdds, CountsEveryCaseAsABruteForceDoesOnAnyNumberOfThreads)
{
    for (const auto& [hole, board, opponents] :
         {std::tuple{"ts th", "td 9s 8c 3h 2d", 2u}, std::tuple{"ah kd", "qs js 2c 7h", 1u},
          std::tuple{"??", "qs js 2c 7h 7d", 1u}}) {
        const std::vector<Card> seven = places(hole, board);
        const ExactOdds::Counts expected = brute_force(seven, opponents, seven);
        for (unsigned jobs : {1u, 3u}) {
            const ExactOdds::Counts counts = ExactOdds::count(seven, opponents, jobs);
            EXPECT_EQ(counts.cases, expected.cases) << hole << " " << board << " jobs " << jobs;
            EXPECT_EQ(counts.wins, expected.wins) << hole << " " << board << " jobs " << jobs;
        }
        EXPECT_EQ(ExactOdds::no_cases(seven, opponents),
                  std::accumulate(expected.cases.begin() + 1, expected.cases.end(), std::uint64_t{0}));
    }
    // Before the flop: C(50, 5) boards, each with C(45, 2) holdings per opponent.
    const std::vector<Card> preflop = places("ah kh", "");
    EXPECT_EQ(ExactOdds::no_cases(preflop, 1), 2118760ull * 990);
    EXPECT_EQ(ExactOdds::no_cases(preflop, 2), 2118760ull * (990 + 990 * 903));
}
