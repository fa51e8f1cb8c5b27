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
//
// Players are seat indexes 0 to n-1: 0 posts the first blind, 1 the second, the next
// one opens the hole round and the lowest index still in opens every later round. The
// model trusts its callers; it only keeps the turn inside the table.
class Game {
public:
    // Fixed underlying type so that any int converts to a Round without undefined
    // behaviour; cards_dealt_in_round answers 0 for values outside the enumeration.
    enum Round : int { hole, flop, turn, river, showdown };

    // Starts a hand for n nameless players: player 0 to act, round hole, all stakes 0,
    // nobody folded or observed.
    void new_hand(unsigned n);
    // new_hand(names.size()) with the names copied into the history.
    void new_hand(const std::vector<std::string>& names);

    // The current player posts a blind: his stake and the stake to match become `amount`
    // (even when lower than before). He is not marked observed. Turn passes on.
    void blind(float amount);
    // The current player's stake becomes the stake to match plus `amount` (0 checks or
    // calls) and is the new stake to match. Turn passes on.
    void raise(float amount);
    // The current player folds for the rest of the hand; his stake stays in. Turn passes on.
    void fold();
    // A move as the input sources report it: a negative amount folds, anything else
    // (0, a raise, a NaN) goes to `raise`.
    void apply_move(float amount);
    // The current player goes all-in: his stake becomes `stake` (below the stake to match
    // for a call for less), the stake to match becomes the larger of the two, and he is
    // asked for no further move. Turn passes on.
    void all_in_move(float stake);
    // Marks `player` all-in after a blind that took all his chips.
    void mark_all_in(unsigned player);
    // Moves the turn to the next player who has neither folded nor gone all-in, marking
    // the players passed over as observed. Stays put when nobody is left to act.
    void advance_player();
    // True when every player still in who is not all-in has exactly the stake to match,
    // and everybody has acted or at most one player is left who can act.
    bool round_over() const;
    // Closes the round with its cards, then opens the next one (or jumps to showdown
    // when one player is left) with the first player from `opener` on who can act.
    void advance_round(const std::vector<Card>& cards);
    // True when every player's observed flag is set.
    bool all_observed() const;
    // The number of players who have not folded.
    unsigned no_active_players() const;

    // Cards revealed at the start of `round`: 2, 3, 1, 1, and 0 for showdown or any
    // value outside the enumeration.
    static int cards_dealt_in_round(Round round);

    // Index of the player to act; below the number of players whenever there is one.
    unsigned current_player = 0;
    Round round = hole;
    // Names, every stake and the stakes to match; the model keeps no stake elsewhere.
    GameHistory history;
    // Set when a player folds; never cleared within a hand.
    std::vector<bool> folded;
    // Set when a player acts in the current round or is passed over having folded;
    // cleared at the start of every round.
    std::vector<bool> observed;
    // Set when a player has put in all his chips; never cleared within a hand.
    std::vector<bool> all_in;
    // Who opens the rounds after hole when still able to act: 0 at a typed table; a
    // replayed heads-up hand sets the big blind (player 1), who acts first after the flop.
    unsigned opener = 0;
};

} // namespace poker::texas_holdem

#endif
