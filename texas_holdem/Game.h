#ifndef CORVALD_TEXAS_HOLDEM_GAME_H
#define CORVALD_TEXAS_HOLDEM_GAME_H

#include <string>
#include <vector>

#include "poker/Card.h"
#include "texas_holdem/GameHistory.h"

namespace poker::texas_holdem {

// The betting state of one hand as it is played at a real table and reported to us:
// who is still in, whose turn it is, the round in progress, every stake, and when a
// round is finished. Deals no cards and knows no chip stacks.
class Game {
public:
    enum Round { hole, flop, turn, river, showdown };

    void new_hand(unsigned n);
    void new_hand(const std::vector<std::string>& names);

    void blind(float amount);
    void raise(float amount);
    void fold();
    void advance_player();
    bool round_over() const;
    void advance_round(const std::vector<Card>& cards);
    bool all_observed() const;
    unsigned no_active_players() const;

    // Cards revealed at the start of `round`: 2, 3, 1, 1, and 0 for showdown or any
    // value outside the enumeration.
    static int cards_dealt_in_round(Round round);

    unsigned current_player = 0;
    Round round = hole;
    GameHistory history;
    std::vector<bool> folded;
    std::vector<bool> observed;
};

} // namespace poker::texas_holdem

#endif
