#include "texas_holdem/GameAnalyser.h"

#include <cassert>

namespace poker::texas_holdem {

namespace {

// The player's total stake when the hand ended (or so far).
float final_stake(const GameHistory& history, unsigned p)
{
    assert(p < history.player_stakes.size());
    assert(!history.player_stakes[p].empty());
    return history.player_stakes[p].back();
}

} // namespace

// A stake above the round's stake to match is cut to it; one equal to or below it (and a
// NaN, which compares false) is taken unchanged.
double GameAnalyser::pot_size_at_round_end(unsigned r) const
{
    assert(r < history.stakes_to_match.size());
    const float to_match = history.stakes_to_match[r];
    double pot = 0.0;
    for (unsigned p = 0; p < history.player_stakes.size(); ++p) {
        const float stake = final_stake(history, p);
        pot += stake > to_match ? to_match : stake;
    }
    return pot;
}

bool GameAnalyser::active_at_round_end(unsigned p, unsigned r) const
{
    assert(r < history.stakes_to_match.size());
    return final_stake(history, p) >= history.stakes_to_match[r];
}

unsigned GameAnalyser::no_active_at_round_end(unsigned r) const
{
    unsigned count = 0;
    for (unsigned p = 0; p < history.player_stakes.size(); ++p) {
        if (active_at_round_end(p, r))
            ++count;
    }
    return count;
}

} // namespace poker::texas_holdem
