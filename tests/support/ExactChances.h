#ifndef CORVALD_TESTS_SUPPORT_EXACT_CHANCES_H
#define CORVALD_TESTS_SUPPORT_EXACT_CHANCES_H

#include <algorithm>
#include <array>
#include <bitset>
#include <utility>
#include <vector>

#include "poker/Card.h"
#include "poker/Hand.h"
#include "texas_holdem/Calculator.h"

namespace poker::test {

// The exact chances of beating the first one, two and three opponents with the hole
// cards known[0..1] and the board known[2..], averaged over the board's completions.
//
// Call a pair of the remaining cards an edge when the user beats it. Opponents dealt from
// the same cards are all beaten exactly when they hold edges with no card in common, so
// the chance for k of them is the number of ordered k-tuples of disjoint edges over that
// of disjoint pairs. Two edges share one card at most: the degrees count the rest.
inline std::array<double, 3> exact_chances(const std::vector<Card>& known)
{
    std::vector<Card> rest;
    for (unsigned index = 0; index < Card::no_cards; ++index)
        if (std::find(known.begin(), known.end(), Card::from_index(index)) == known.end())
            rest.push_back(Card::from_index(index));
    const double n = double(rest.size());
    std::array<double, 3> chances{};
    if (known.size() < texas_holdem::Calculator::no_user_cards) {
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
    for (const Card& a : rest)
        for (const Card& b : rest) {
            opponent[0] = a;
            opponent[1] = b;
            if (a.index() < b.index() && Hand::best_hand(opponent) < user) {
                beaten[a.index()].set(b.index());
                beaten[b.index()].set(a.index());
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
    for (unsigned u = 0; u < Card::no_cards; ++u)
        for (unsigned v = u + 1; v < Card::no_cards; ++v)
            triples += beaten[u][v] ? 2 * count(Cards().set(u).set(v)).second : 0;
    const auto [edges, pairs] = count(Cards());
    const double deals1 = n * (n - 1) / 2;
    const double deals2 = deals1 * (n - 2) * (n - 3) / 2;
    const double deals3 = deals2 * (n - 4) * (n - 5) / 2;
    return {edges / deals1, 2 * pairs / deals2, triples / deals3};
}

} // namespace poker::test

#endif
