#ifndef CORVALD_TESTS_SUPPORT_SIMULATION_IDENTITY_H
#define CORVALD_TESTS_SUPPORT_SIMULATION_IDENTITY_H

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

#include "poker/Card.h"
#include "support/BoostDeck.h"
#include "texas_holdem/Calculator.h"

namespace poker::test {

// The user's seven places for a setting: `board` random board cards (0, 3, 4 or 5), the
// hole cards too when `hole_known`, the rest unknown; distinct, drawn from `pick`.
inline std::vector<Card> random_known_cards(std::mt19937& pick, bool hole_known, unsigned board)
{
    std::array<unsigned, Card::no_cards> deck;
    for (unsigned i = 0; i < deck.size(); ++i)
        deck[i] = i;
    std::shuffle(deck.begin(), deck.end(), pick);
    std::vector<Card> known(texas_holdem::Calculator::no_user_cards);
    if (hole_known) {
        known[0] = Card::from_index(deck[0]);
        known[1] = Card::from_index(deck[1]);
    }
    for (unsigned i = 0; i < board; ++i)
        known[texas_holdem::Calculator::flop_position + i] = Card::from_index(deck[2 + i]);
    return known;
}

// Runs the calculator twice (the engine runs on between runs) for the setting and the
// first version's simulation beside it; an empty text when every count is alike, else
// what differed.
inline std::string counts_differ(unsigned seed, unsigned players, const std::vector<Card>& known, unsigned hands)
{
    texas_holdem::Calculator calculator(seed);
    calculator.setup(players - 1);
    calculator.user_cards = known;
    BoostDeck reference(seed);
    for (int run = 0; run < 2; ++run) {
        calculator.simulate_hands(hands);
        const std::vector<unsigned> expected = reference_counts(reference, known, players - 1, hands);
        if (calculator.counts != expected) {
            std::string text = "run " + std::to_string(run) + ", seed " + std::to_string(seed) + ", players "
                               + std::to_string(players) + ": counts";
            for (unsigned c : calculator.counts)
                text += " " + std::to_string(c);
            text += ", expected";
            for (unsigned c : expected)
                text += " " + std::to_string(c);
            return text;
        }
    }
    return "";
}

} // namespace poker::test

#endif
