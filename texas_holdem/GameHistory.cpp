#include "texas_holdem/GameHistory.h"

#include <cassert>

namespace poker::texas_holdem {

// Emptying the cards as well lets one Game be reused for another hand without the
// previous hand's cards showing up in front of the new ones.
void GameHistory::reset(unsigned n)
{
    names.assign(n, std::string());
    stakes_to_match.assign(1, 0.0f);
    player_stakes.assign(n, std::vector<float>(1, 0.0f));
    cards.clear();
}

void GameHistory::set_names(const std::vector<std::string>& new_names)
{
    assert(new_names.size() <= names.size());
    for (std::size_t i = 0; i < new_names.size(); ++i)
        names[i] = new_names[i];
}

// No ordering check on purpose: a second blind smaller than the first has to lower the
// stake to match, and every later stake of the round is at least the stake to match anyway.
void GameHistory::record_stake(unsigned player, float stake)
{
    assert(player < player_stakes.size());
    assert(!stakes_to_match.empty());
    player_stakes[player].push_back(stake);
    stakes_to_match.back() = stake;
}

void GameHistory::record_round(const std::vector<Card>& round_cards)
{
    assert(!stakes_to_match.empty());
    const float carried = stakes_to_match.back();
    stakes_to_match.push_back(carried);
    cards.insert(cards.end(), round_cards.begin(), round_cards.end());
}

} // namespace poker::texas_holdem
