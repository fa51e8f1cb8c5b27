#ifndef CORVALD_TEXAS_HOLDEM_GAMEANALYSER_H
#define CORVALD_TEXAS_HOLDEM_GAMEANALYSER_H

#include "texas_holdem/GameHistory.h"

namespace poker::texas_holdem {

// A read-only view on one hand's history that answers questions per betting round: the
// pot at the end of a round and who was still in then. Built on the spot, used and
// dropped; it must not outlive the history.
//
// Only final stakes are needed: a player still in at the end of round r ended the hand
// with at least that round's stake to match, and a player who had folded by then ended
// at or below it. So min(final stake, stake to match of r) is what he had put in by then.
class GameAnalyser {
public:
    explicit GameAnalyser(const GameHistory& history) : history(history) {}

    // The pot at the end of round r: the sum over all players of the smaller of the
    // final stake and the round's stake to match, accumulated in double precision.
    double pot_size_at_round_end(unsigned r) const;
    // True when player p's final stake is at least round r's stake to match, i.e. he was
    // still in at the end of round r. False when either value is NaN.
    bool active_at_round_end(unsigned p, unsigned r) const;
    // The number of players still in at the end of round r.
    unsigned no_active_at_round_end(unsigned r) const;

    const GameHistory& history;
};

} // namespace poker::texas_holdem

#endif
