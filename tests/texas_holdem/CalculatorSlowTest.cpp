#include "texas_holdem/Calculator.h"

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "poker/CardSet.h"
#include "support/BoostDeck.h"

using poker::Card;
using poker::texas_holdem::Calculator;

namespace {

// The simulation's counts as the first version made them, for `opponents` opponents and
// the user's seven places `known` (unknown cards dealt): the deal of the rules, each hand
// ranked with a CardSet on all seven cards. The known cards must be distinct.
std::vector<unsigned> reference_counts(poker::test::BoostDeck& deck, const std::vector<Card>& known, unsigned opponents,
                                       unsigned hands)
{
    const auto strength = [](const std::array<Card, 7>& seven) {
        poker::CardSet set;
        for (const Card& card : seven)
            set.add(card);
        return set.strength();
    };
    std::vector<unsigned> counts(opponents + 1, 0);
    std::array<Card, 7> seven;
    for (unsigned hand = 0; hand < hands; ++hand) {
        deck.reset();
        std::copy(known.begin(), known.end(), seven.begin());
        for (const Card& card : seven)
            if (!card.is_unknown())
                deck.remove(card);
        for (Card& card : seven)
            if (card.is_unknown())
                card = deck.deal();
        const std::uint32_t user = strength(seven);
        ++counts[0];
        for (unsigned opponent = 1; opponent <= opponents; ++opponent) {
            seven[0] = deck.deal();
            seven[1] = deck.deal();
            if (strength(seven) >= user)
                break;
            ++counts[opponent];
        }
    }
    return counts;
}

// The user's seven places for a setting: `board` random board cards (0, 3, 4 or 5), the
// hole cards too when `hole_known`, the rest unknown; distinct, drawn from `pick`.
std::vector<Card> random_known_cards(std::mt19937& pick, bool hole_known, unsigned board)
{
    std::array<unsigned, Card::no_cards> deck;
    for (unsigned i = 0; i < deck.size(); ++i)
        deck[i] = i;
    std::shuffle(deck.begin(), deck.end(), pick);
    std::vector<Card> known(Calculator::no_user_cards);
    for (unsigned i = hole_known ? 0 : 2; i < 2 + board; ++i)
        known[i < 2 ? i : Calculator::flop_position + i - 2] = Card::from_index(deck[i]);
    return known;
}

// Runs the calculator twice (the engine runs on between runs) for the setting and checks
// each run's counts against the first version's simulation beside it.
void expect_counts_alike(unsigned seed, unsigned players, const std::vector<Card>& known, unsigned hands)
{
    SCOPED_TRACE(testing::Message() << "seed " << seed << ", players " << players);
    Calculator calculator(seed);
    calculator.setup(players - 1);
    calculator.user_cards = known;
    poker::test::BoostDeck reference(seed);
    for (int run = 0; run < 2; ++run) {
        calculator.simulate_hands(hands);
        EXPECT_EQ(calculator.counts, reference_counts(reference, known, players - 1, hands)) << "run " << run;
    }
}

} // namespace

// The counts of the first version, Boost's draws and card-set ranking, over every player
// count, every board size, known and unknown hole cards and several seeds; two settings
// run two million hands each.
TEST(CalculatorSlow, CountsAsTheFirstVersionForEverySetting)
{
    constexpr unsigned hands = 20000;
    constexpr unsigned long_run = 2000000;
    std::mt19937 pick(12);
    for (unsigned seed : {2u, 3u, 1000003u})
        for (unsigned players = 2; players <= 16; ++players)
            for (unsigned board : {0u, 3u, 4u, 5u})
                for (bool hole_known : {false, true})
                    expect_counts_alike(seed, players, random_known_cards(pick, hole_known, board), hands);
    expect_counts_alike(2, 4, random_known_cards(pick, true, 0), long_run);
    expect_counts_alike(2, 16, random_known_cards(pick, false, 0), long_run);
}
