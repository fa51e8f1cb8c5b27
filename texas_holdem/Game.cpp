#include "texas_holdem/Game.h"

#include <algorithm>
#include <cassert>

namespace poker::texas_holdem {

namespace {

// The number of players of a hand: one stake sequence each in the history.
unsigned player_count(const Game& game)
{
    return static_cast<unsigned>(game.history.player_stakes.size());
}

} // namespace

void Game::new_hand(unsigned n)
{
    current_player = 0;
    history.reset(n);
    round = hole;
    folded.assign(n, false);
    observed.assign(n, false);
    all_in.assign(n, false);
    opener = 0;
}

void Game::new_hand(const std::vector<std::string>& names)
{
    new_hand(static_cast<unsigned>(names.size()));
    history.set_names(names);
}

// The poster is not marked observed: both blinds still get their turn in the hole round,
// so the big blind may check or raise after the others have called.
void Game::blind(float amount)
{
    assert(current_player < player_count(*this));
    history.record_stake(current_player, amount);
    advance_player();
}

// The new stake is the stake to match plus `amount`, added in single precision like every
// amount of the model. The others' observed flags stay set: their stakes are now below the
// stake to match, which alone keeps the round open until they call or fold.
void Game::raise(float amount)
{
    assert(current_player < player_count(*this));
    const float stake = history.stakes_to_match.back() + amount;
    history.record_stake(current_player, stake);
    observed[current_player] = true;
    advance_player();
}

// The folder's stake sequence is left alone: his last stake stays in the pot.
void Game::fold()
{
    assert(current_player < player_count(*this));
    folded[current_player] = true;
    observed[current_player] = true;
    advance_player();
}

// The stake to match never goes down for a call for less; only the callers' stakes above
// it must match it.
void Game::all_in_move(float stake)
{
    assert(current_player < player_count(*this));
    const float to_match = history.stakes_to_match.back();
    history.record_stake(current_player, stake);
    if (stake < to_match)
        history.stakes_to_match.back() = to_match;
    mark_all_in(current_player);
    advance_player();
}

void Game::mark_all_in(unsigned player)
{
    assert(player < player_count(*this));
    all_in[player] = true;
    observed[player] = true;
}

void Game::apply_move(float amount)
{
    if (amount < 0)
        fold();
    else
        raise(amount);
}

// Folded players passed over count as having acted. The search goes once round the table
// at most: with every player folded it comes back to the player it started from, who stays
// current (marked observed like the rest), and with no players at all nothing moves.
void Game::advance_player()
{
    const unsigned n = player_count(*this);
    for (unsigned step = 0; step < n; ++step) {
        current_player = (current_player + 1) % n;
        if (!folded[current_player] && !all_in[current_player])
            return;
        observed[current_player] = true;
    }
}

// A round is over once everybody has acted and every player still in has exactly the
// stake to match. A lone player left in is not asked to act: his matching stake is enough.
// Stakes are compared with ==, so a NaN stake never matches and keeps the round open.
bool Game::round_over() const
{
    const unsigned n = player_count(*this);
    unsigned can_act = 0;
    for (unsigned player = 0; player < n; ++player)
        can_act += !folded[player] && !all_in[player];
    if (!all_observed() && no_active_players() != 1 && can_act > 1)
        return false;
    const float to_match = history.stakes_to_match.back();
    for (unsigned player = 0; player < n; ++player) {
        if (!folded[player] && !all_in[player]
            && !(history.player_stakes[player].back() == to_match))
            return false;
    }
    return true;
}

// The lowest-indexed player still in opens every round after hole. With every player
// folded (or none at all) the search ends after one pass round the table, at player 0.
void Game::advance_round(const std::vector<Card>& cards)
{
    assert(round < showdown);
    history.record_round(cards);
    round = static_cast<Round>(round + 1);
    if (no_active_players() == 1)
        round = showdown;
    std::fill(observed.begin(), observed.end(), false);

    const unsigned n = player_count(*this);
    current_player = opener < n ? opener : 0;
    for (unsigned step = 0; step < n && (folded[current_player] || all_in[current_player]); ++step) {
        observed[current_player] = true;
        current_player = (current_player + 1) % n;
    }
}

bool Game::all_observed() const
{
    return std::find(observed.begin(), observed.end(), false) == observed.end();
}

unsigned Game::no_active_players() const
{
    return static_cast<unsigned>(std::count(folded.begin(), folded.end(), false));
}

int Game::cards_dealt_in_round(Round round)
{
    switch (round) {
    case hole: return 2;
    case flop: return 3;
    case turn: return 1;
    case river: return 1;
    case showdown: return 0;
    }
    return 0;
}

} // namespace poker::texas_holdem
