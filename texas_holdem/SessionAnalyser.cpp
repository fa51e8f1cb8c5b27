#include "texas_holdem/SessionAnalyser.h"

#include <cassert>

#include "texas_holdem/GameAnalyser.h"

namespace poker::texas_holdem {

// The last entry of the stakes to match is the round that advance_round opened last and
// nobody played, so it gets no rows.
void SessionAnalyser::record(const GameHistory& history)
{
    assert(!history.stakes_to_match.empty());
    assert(history.names.size() == history.player_stakes.size());
    const GameAnalyser analyser(history);
    const auto finished_rounds = static_cast<unsigned>(history.stakes_to_match.size() - 1);

    for (unsigned p = 0; p < history.player_stakes.size(); ++p) {
        const float stake = history.player_stakes[p].back();
        bool still_in = true;
        for (unsigned r = 0; r < finished_rounds && still_in; ++r) {
            still_in = analyser.active_at_round_end(p, r);
            player_entries.push_back(
                {history.names[p], game_count, r, history.stakes_to_match[r], still_in, stake});
        }
    }
    for (unsigned r = 0; r < finished_rounds; ++r)
        game_entries.push_back({game_count, r, history.stakes_to_match[r]});
    ++game_count;
}

} // namespace poker::texas_holdem
