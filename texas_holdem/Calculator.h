#ifndef CORVALD_TEXAS_HOLDEM_CALCULATOR_H
#define CORVALD_TEXAS_HOLDEM_CALCULATOR_H

#include <cstddef>
#include <vector>

#include "poker/Card.h"
#include "poker/Deck.h"

namespace poker::texas_holdem {

// Estimates the user's chance of winning by simulation. It holds the user's seven cards
// as far as they are known; a run deals the unknown ones and the opponents' hole cards
// at random, ranks every hand, and counts how often the user beats the first one, two,
// three ... opponents. The hand driver builds one per hand, feeds it each round's cards
// and runs it after each; the table view reads `probability` for every number of
// opponents.
class Calculator {
public:
    // Every new calculator deals the same random sequence, so the same cards entered in
    // the same order show the same figures in every hand.
    static constexpr unsigned default_seed = 2;
    // The hands of one run at the table (and of `odds` unless told otherwise).
    static constexpr unsigned simulated_hands = 10000;

    // Positions in `user_cards`: two hole cards, the flop, the turn, the river.
    static constexpr std::size_t no_user_cards = 7;
    static constexpr std::size_t hole_position = 0;
    static constexpr std::size_t flop_position = 2;
    static constexpr std::size_t turn_position = 5;
    static constexpr std::size_t river_position = 6;

    explicit Calculator(unsigned seed = default_seed);

    // Seven unknown cards and `opponents` + 1 zero counts.
    void setup(unsigned opponents);

    void set_hole(const Card& a, const Card& b);
    void set_flop(const Card& a, const Card& b, const Card& c);
    void set_turn(const Card& card);
    void set_river(const Card& card);

    // Replaces `counts` by those of `hands` new simulated hands. Needs `setup` first.
    void simulate_hands(unsigned hands);

    // The chance of winning against `opponents` of the opponents, blended by `weight`
    // (0 to 1) with the chance of beating every opponent dealt in:
    // weight * counts.back() / n + (1 - weight) * counts[opponents] / n, where n hands
    // were simulated; 1 for no opponent. Needs a run of at least one hand, and
    // `opponents` at most `no_opponents()`.
    double probability(unsigned opponents, double weight) const;

    unsigned no_opponents() const;

    // One opponent fewer: the last count goes.
    void fold();

    // Resizes `counts` for `opponents`; kept counts stay, new ones are 0.
    void reset_no_opponents(unsigned opponents);

    void clear_counts();

    Deck deck;
    // Hole cards, flop, turn and river at the positions above; a card not yet known is
    // the unknown card.
    std::vector<Card> user_cards;
    // counts[0]: hands simulated in the last run; counts[i]: of those, the hands in which
    // the user beat each of opponents 1 to i, strictly (a tie is no win). Never rises
    // with i.
    std::vector<unsigned> counts;

private:
    // True when no card is given twice among the known user cards.
    bool known_cards_distinct() const;
    // simulate_hands for known cards that are all different, ranked by table.
    void simulate_distinct_hands(unsigned hands);
};

} // namespace poker::texas_holdem

#endif
