#include "texas_holdem/Calculator.h"

#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "poker/Hand.h"
#include "support/CardText.h"

using poker::Card;
using poker::Hand;
using poker::test::card;
using poker::test::cards;
using poker::texas_holdem::Calculator;

namespace {

constexpr unsigned simulated_hands = 10000;

// ---------------------------------------------------------------------------------------
// Exact chances by enumeration, to hold the simulation against.
//
// Once the board is complete, an opponent's holding is a pair of the remaining cards,
// and the user beats some of those pairs. Seen as a graph whose vertices are the
// remaining cards and whose edges are the pairs the user beats, k opponents dealt one
// after another from the same cards are all beaten exactly when their k pairs are k
// edges with no card in common. So the chance of beating the first k opponents is the
// number of ordered k-tuples of pairwise disjoint edges (k-matchings), divided by the
// number of ordered k-tuples of disjoint pairs of the remaining cards. Matchings are
// counted from degrees by inclusion and exclusion instead of walking every triple.

using Edge = std::pair<int, int>;
using Neighbours = std::bitset<Card::no_cards>;

// Ordered tuples of one, two and three pairwise disjoint edges.
struct Matchings {
    std::int64_t one = 0;
    std::int64_t two = 0;
    std::int64_t three = 0;
};

std::int64_t choose2(std::int64_t n)
{
    return n * (n - 1) / 2;
}

std::int64_t choose3(std::int64_t n)
{
    return n * (n - 1) * (n - 2) / 6;
}

// Vertices are card indices, below 52.
Matchings count_matchings(const std::vector<Edge>& edges)
{
    std::vector<Neighbours> neighbours(Card::no_cards);
    for (const auto& [u, v] : edges) {
        neighbours[u].set(v);
        neighbours[v].set(u);
    }
    std::vector<std::int64_t> degree(Card::no_cards);
    for (int v = 0; v < Card::no_cards; ++v)
        degree[v] = static_cast<std::int64_t>(neighbours[v].count());

    const auto e = static_cast<std::int64_t>(edges.size());
    // Two edges meet in at most one vertex: pairs of edges that meet, per vertex.
    std::int64_t meeting_pairs = 0;
    std::int64_t stars = 0;
    for (std::int64_t d : degree) {
        meeting_pairs += choose2(d);
        stars += choose3(d);
    }
    // For each edge: the edges disjoint from it; pairs of edges both meeting it (the
    // middle edge of a path of three, or of a star or triangle); triangles on it.
    std::int64_t ordered_two = 0;
    std::int64_t paths_through = 0;
    std::int64_t triangle_edges = 0;
    for (const auto& [u, v] : edges) {
        ordered_two += e - degree[u] - degree[v] + 1;
        paths_through += choose2(degree[u] + degree[v] - 2);
        triangle_edges += static_cast<std::int64_t>((neighbours[u] & neighbours[v]).count());
    }
    const std::int64_t triangles = triangle_edges / 3;
    // Triples of edges minus those with a meeting pair: inclusion and exclusion over the
    // meeting pairs of each triple (one in a path of two plus an edge, two in a path of
    // three, three in a star or a triangle).
    const std::int64_t unordered_three =
        choose3(e) - meeting_pairs * (e - 2) + paths_through - stars - triangles;

    Matchings result;
    result.one = e;
    result.two = ordered_two;
    result.three = 6 * unordered_three;
    return result;
}

std::vector<Card> concat(std::vector<Card> a, const std::vector<Card>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Card> rest_of_deck(const std::vector<Card>& used)
{
    std::vector<Card> rest;
    for (unsigned index = 0; index < Card::no_cards; ++index) {
        const Card card = Card::from_index(index);
        if (std::find(used.begin(), used.end(), card) == used.end())
            rest.push_back(card);
    }
    return rest;
}

// The chances of beating the first one, two and three opponents with `hole` on the
// complete five-card `board`.
std::vector<double> exact_on_board(const std::vector<Card>& hole, const std::vector<Card>& board)
{
    const std::vector<Card> known = concat(hole, board);
    const Hand user = Hand::best_hand(known);
    const std::vector<Card> rest = rest_of_deck(known);

    std::vector<Edge> beaten;
    std::vector<Card> opponent = concat({Card(), Card()}, board);
    for (std::size_t i = 0; i < rest.size(); ++i) {
        for (std::size_t j = i + 1; j < rest.size(); ++j) {
            opponent[0] = rest[i];
            opponent[1] = rest[j];
            if (Hand::best_hand(opponent) < user)
                beaten.emplace_back(rest[i].index(), rest[j].index());
        }
    }
    const Matchings matchings = count_matchings(beaten);
    const auto n = static_cast<std::int64_t>(rest.size());
    const double one = double(choose2(n));
    const double two = one * double(choose2(n - 2));
    const double three = two * double(choose2(n - 4));
    return {matchings.one / one, matchings.two / two, matchings.three / three};
}

// The same, averaged over every completion of a board of three or four cards.
std::vector<double> exact_before_river(const std::vector<Card>& hole,
                                       const std::vector<Card>& board)
{
    const std::vector<Card> rest = rest_of_deck(concat(hole, board));
    std::vector<double> sum(3, 0.0);
    int runouts = 0;
    const auto add = [&](const std::vector<Card>& full_board) {
        const std::vector<double> chances = exact_on_board(hole, full_board);
        for (std::size_t k = 0; k < sum.size(); ++k)
            sum[k] += chances[k];
        ++runouts;
    };
    if (board.size() == 4) {
        for (const Card& river : rest)
            add(concat(board, {river}));
    } else {
        for (std::size_t i = 0; i < rest.size(); ++i) {
            for (std::size_t j = i + 1; j < rest.size(); ++j)
                add(concat(board, {rest[i], rest[j]}));
        }
    }
    for (double& chance : sum)
        chance /= runouts;
    return sum;
}

// Four standard errors of a frequency of chance p over n hands.
double four_standard_errors(double p, unsigned n)
{
    return 4 * std::sqrt(p * (1 - p) / n);
}

double frequency(const Calculator& calculator, unsigned opponents)
{
    return double(calculator.counts[opponents]) / calculator.counts[0];
}

} // namespace

TEST(ExactEquity, MatchingCountsAgreeWithBruteForceOnSmallGraphs)
{
    std::mt19937 random(5);
    for (int graph = 0; graph < 200; ++graph) {
        std::vector<Edge> edges;
        const int vertices = 4 + graph % 7;
        for (int u = 0; u < vertices; ++u) {
            for (int v = u + 1; v < vertices; ++v) {
                if (random() % 2 == 0)
                    edges.emplace_back(u, v);
            }
        }
        const auto disjoint = [](const Edge& a, const Edge& b) {
            return a.first != b.first && a.first != b.second && a.second != b.first &&
                   a.second != b.second;
        };
        Matchings brute;
        for (const Edge& a : edges) {
            ++brute.one;
            for (const Edge& b : edges) {
                if (!disjoint(a, b))
                    continue;
                ++brute.two;
                for (const Edge& c : edges) {
                    if (disjoint(a, c) && disjoint(b, c))
                        ++brute.three;
                }
            }
        }
        const Matchings counted = count_matchings(edges);
        ASSERT_EQ(counted.one, brute.one) << "graph " << graph;
        ASSERT_EQ(counted.two, brute.two) << "graph " << graph;
        ASSERT_EQ(counted.three, brute.three) << "graph " << graph;
    }
}

TEST(Calculator, SetupClearsCardsAndSizesCounts)
{
    Calculator calculator;
    calculator.setup(1);
    calculator.set_hole(card("Ah"), card("Kh"));
    calculator.setup(3);
    EXPECT_EQ(calculator.no_opponents(), 3u);
    EXPECT_EQ(calculator.counts, std::vector<unsigned>(4, 0));
    EXPECT_EQ(calculator.user_cards, std::vector<Card>(7, Card()));
}

TEST(Calculator, CardsGoToTheirPlaces)
{
    Calculator calculator;
    calculator.setup(1);
    calculator.set_hole(card("Ah"), card("Kh"));
    calculator.set_flop(card("2c"), card("3d"), card("4s"));
    calculator.set_turn(card("5h"));
    calculator.set_river(card("6c"));
    EXPECT_EQ(calculator.user_cards, cards("Ah Kh 2c 3d 4s 5h 6c"));
}

// Every build (plain, sanitized, other compiler) must reproduce these exact counts. They
// pin the seed, the generator and the order of the draws: the user's unknown cards in
// place order, then opponent after opponent only while the user keeps winning. A change
// to any of them changes what the user sees for the same cards, and fails here.
TEST(Calculator, DeterminismSignature)
{
    Calculator calculator;
    calculator.setup(3);
    calculator.set_hole(card("Ah"), card("Kh"));
    calculator.simulate_hands(simulated_hands);
    EXPECT_EQ(calculator.counts, (std::vector<unsigned>{10000, 6576, 4922, 3994}));
}

TEST(Calculator, DeterminismSignatureWithEveryCardUnknown)
{
    Calculator calculator;
    calculator.setup(9);
    calculator.simulate_hands(simulated_hands);
    EXPECT_EQ(calculator.counts,
              (std::vector<unsigned>{10000, 4876, 3242, 2396, 1922, 1567, 1328, 1172, 1035, 899}));
}

// Within a hand the engine runs on from run to run.
TEST(Calculator, DeterminismSignatureOverTheRoundsOfAHand)
{
    Calculator calculator;
    calculator.setup(2);
    calculator.set_hole(card("Ts"), card("9s"));
    calculator.set_flop(card("8s"), card("7d"), card("2c"));
    calculator.simulate_hands(simulated_hands);
    EXPECT_EQ(calculator.counts, (std::vector<unsigned>{10000, 5392, 4366}));
    calculator.set_turn(card("Jh"));
    calculator.simulate_hands(simulated_hands);
    EXPECT_EQ(calculator.counts, (std::vector<unsigned>{10000, 9690, 9368}));
    calculator.set_river(card("4h"));
    calculator.simulate_hands(simulated_hands);
    EXPECT_EQ(calculator.counts, (std::vector<unsigned>{10000, 9912, 9830}));
}

TEST(Calculator, NewCalculatorsRepeatTheSameRuns)
{
    Calculator one;
    Calculator other;
    for (Calculator* calculator : {&one, &other}) {
        calculator->setup(5);
        calculator->simulate_hands(1000);
        calculator->set_hole(card("7c"), card("7d"));
        calculator->simulate_hands(1000);
    }
    EXPECT_EQ(one.counts, other.counts);
    EXPECT_EQ(one.counts[0], 1000u);
}

TEST(Calculator, CountsNeverRiseWithTheNumberOfOpponents)
{
    Calculator calculator;
    calculator.setup(15);
    calculator.set_hole(card("Qd"), card("Js"));
    calculator.simulate_hands(2000);
    ASSERT_EQ(calculator.counts.size(), 16u);
    EXPECT_EQ(calculator.counts[0], 2000u);
    for (std::size_t i = 1; i < calculator.counts.size(); ++i)
        EXPECT_LE(calculator.counts[i], calculator.counts[i - 1]) << "opponent " << i;
    // A second run starts from zero counts.
    calculator.simulate_hands(500);
    EXPECT_EQ(calculator.counts[0], 500u);
}

TEST(Calculator, RoyalFlushBeatsEveryOpponent)
{
    Calculator calculator;
    calculator.setup(6);
    calculator.set_hole(card("As"), card("Ks"));
    calculator.set_flop(card("Qs"), card("Js"), card("Ts"));
    calculator.set_turn(card("2h"));
    calculator.set_river(card("3d"));
    calculator.simulate_hands(2000);
    EXPECT_EQ(calculator.counts, std::vector<unsigned>(7, 2000));
}

// Every player plays the royal flush on the board: each hand is a split, which is no win.
TEST(Calculator, TieCountsAsNoWin)
{
    Calculator calculator;
    calculator.setup(3);
    calculator.set_hole(card("2c"), card("3d"));
    calculator.set_flop(card("As"), card("Ks"), card("Qs"));
    calculator.set_turn(card("Js"));
    calculator.set_river(card("Ts"));
    calculator.simulate_hands(2000);
    EXPECT_EQ(calculator.counts, (std::vector<unsigned>{2000, 0, 0, 0}));
}

// The river and the opponent's holding enumerated exactly against one simulated run.
TEST(Calculator, AgreesWithExactChanceOnTheTurnAgainstOneOpponent)
{
    const std::vector<Card> hole = cards("Jc Tc");
    const std::vector<Card> board = cards("9c 8d 2h Ks");
    const double exact = exact_before_river(hole, board)[0];

    Calculator calculator;
    calculator.setup(1);
    calculator.set_hole(hole[0], hole[1]);
    calculator.set_flop(board[0], board[1], board[2]);
    calculator.set_turn(board[3]);
    calculator.simulate_hands(simulated_hands);
    EXPECT_NEAR(frequency(calculator, 1), exact, four_standard_errors(exact, simulated_hands));
}

// Turn and river enumerated exactly, the three opponents' holdings counted as matchings.
TEST(Calculator, AgreesWithExactChancesOnTheFlopAgainstThreeOpponents)
{
    const std::vector<Card> hole = cards("9s 9d");
    const std::vector<Card> board = cards("Kc 7h 2s");
    const std::vector<double> exact = exact_before_river(hole, board);

    Calculator calculator;
    calculator.setup(3);
    calculator.set_hole(hole[0], hole[1]);
    calculator.set_flop(board[0], board[1], board[2]);
    calculator.simulate_hands(simulated_hands);
    for (unsigned opponents = 1; opponents <= 3; ++opponents) {
        const double p = exact[opponents - 1];
        EXPECT_NEAR(frequency(calculator, opponents), p,
                    four_standard_errors(p, simulated_hands))
            << opponents << " opponents";
    }
}

TEST(Calculator, ProbabilityBlendsBeatingAllWithBeatingK)
{
    Calculator calculator;
    calculator.setup(3);
    calculator.counts = {200, 120, 80, 50};
    for (double weight : {0.0, 0.1, 0.5, 0.7, 1.0})
        EXPECT_DOUBLE_EQ(calculator.probability(0, weight), 1.0) << weight;
    for (unsigned k = 1; k <= 3; ++k)
        EXPECT_DOUBLE_EQ(calculator.probability(k, 1.0), 50.0 / 200) << k;
    EXPECT_DOUBLE_EQ(calculator.probability(1, 0.0), 120.0 / 200);
    EXPECT_DOUBLE_EQ(calculator.probability(2, 0.5), 0.5 * 50 / 200 + 0.5 * 80 / 200);
    EXPECT_DOUBLE_EQ(calculator.probability(1, 0.25), 0.25 * 50 / 200 + 0.75 * 120 / 200);
}

TEST(Calculator, OpponentCountChangesKeepTheRemainingCounts)
{
    Calculator calculator;
    calculator.setup(3);
    calculator.counts = {10, 8, 6, 4};
    calculator.fold();
    EXPECT_EQ(calculator.no_opponents(), 2u);
    EXPECT_EQ(calculator.counts, (std::vector<unsigned>{10, 8, 6}));
    calculator.reset_no_opponents(4);
    EXPECT_EQ(calculator.counts, (std::vector<unsigned>{10, 8, 6, 0, 0}));
    calculator.reset_no_opponents(1);
    EXPECT_EQ(calculator.counts, (std::vector<unsigned>{10, 8}));
    calculator.clear_counts();
    EXPECT_EQ(calculator.counts, (std::vector<unsigned>{0, 0}));
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
