#ifndef CORVALD_TEXAS_HOLDEM_SEQUENCER_H
#define CORVALD_TEXAS_HOLDEM_SEQUENCER_H

#include <string>
#include <vector>

#include "poker/Card.h"
#include "texas_holdem/Game.h"
#include "texas_holdem/GameHistory.h"

namespace poker::texas_holdem {

// The source of the events of one hand. The hand driver pulls each event when it needs
// it, in the order of a hold'em hand: request_new_game; request_blind twice; for each
// round from hole on, request_cards and then request_move while the round is open;
// finally notify_end_game.
//
// No virtual destructor on purpose: input sources are never destroyed through this type.
class Sequencer {
public:
    // Who plays the hand. The driver uses only `players`.
    struct NewGame {
        std::vector<std::string> players; // seat order; 0 posts the first blind
        std::string table_name;
        std::string game_id;
        // Index in `players` of the player who opens the rounds after hole (Game::opener).
        unsigned opener = 0;
        // Index in `players` of the player whose cards request_cards(hole) gives, -1 when
        // they are unknown; that player's stakes get a colour of their own.
        int hero = -1;
        // Amounts are whole cents (true) or chips, shown in the compact form; false for
        // the amounts typed at a live table.
        bool compact_amounts = false;
        bool amounts_in_cents = false;
    };

    // One player's move as one amount: negative folds (sources use -1), 0 checks or
    // calls, a positive amount raises (or bets) by that much.
    struct Move {
        float amount = 0;
    };

    static constexpr float fold_amount = -1.0f;

    // At most this many players take part in a hand: the table view has a row for each.
    static constexpr unsigned max_players = 16;

    // At least one and at most `max_players` names.
    virtual NewGame request_new_game(unsigned max_players) = 0;
    virtual float request_blind(std::string player) = 0;
    // Exactly Game::cards_dealt_in_round(round) cards; a card may be the unknown card.
    virtual std::vector<Card> request_cards(Game::Round round) = 0;
    virtual float request_move(std::string player) = 0;
    // `history` is valid only during the call.
    virtual void notify_end_game(const GameHistory& history) = 0;
    // Asked after every blind and move: true when it took all the player's chips, with
    // his stake after it in `stake` (under the stake to match for a call for less). The
    // player is then asked for no further move. Sources that know no all-in say false.
    virtual bool all_in_stake(float& stake)
    {
        (void)stake;
        return false;
    }

protected:
    ~Sequencer() = default;
};

} // namespace poker::texas_holdem

#endif
