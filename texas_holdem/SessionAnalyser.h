#ifndef CORVALD_TEXAS_HOLDEM_SESSIONANALYSER_H
#define CORVALD_TEXAS_HOLDEM_SESSIONANALYSER_H

#include <string>
#include <vector>

#include "texas_holdem/GameHistory.h"

namespace poker::texas_holdem {

// Gathers the finished hands of a session into two flat tables for statistics over many
// hands: one row per player per betting round he took part in, and one row per betting
// round. Players are told apart by name, not by seat. The tables only grow.
class SessionAnalyser {
public:
    // One player in one betting round of one hand.
    struct PlayerEntry {
        std::string name;
        unsigned game;        // the hand's number
        unsigned round;       // 0 hole, 1 flop, 2 turn, 3 river
        float stake_to_match; // at the end of that round
        bool active;          // still in at the end of that round
        float stake;          // final total stake in the hand, the same in every row
    };

    // One betting round of one hand.
    struct GameEntry {
        unsigned game;
        unsigned round;
        float stake_to_match; // at the end of that round
    };

    // Appends the rows of one finished hand (at least one finished round, one name per
    // player) under the number game_count, then counts it. A player gets a row for every
    // finished round up to and including the first one at whose end he was no longer in.
    void record(const GameHistory& history);

    // Hands recorded so far, and the number the next hand gets (the first is 0).
    unsigned game_count = 0;
    std::vector<PlayerEntry> player_entries;
    std::vector<GameEntry> game_entries;
};

} // namespace poker::texas_holdem

#endif
