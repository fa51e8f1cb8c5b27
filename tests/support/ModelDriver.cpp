#include "support/ModelDriver.h"

#include <cassert>

namespace poker::texas_holdem {

constexpr int blinds = 2;

void ModelDriver::go(Sequencer& sequencer, unsigned max_players)
{
    new_game = sequencer.request_new_game(max_players);
    assert(new_game.players.size() >= 2);
    game.new_hand(new_game.players);
    game.opener = new_game.opener;

    // As the hand driver does: a source that reports an all-in has its player asked for
    // no further move.
    float all_in_stake = 0;
    for (int i = 0; i < blinds; ++i) {
        const unsigned player = game.current_player;
        game.blind(sequencer.request_blind(game.history.names[player]));
        if (sequencer.all_in_stake(all_in_stake))
            game.mark_all_in(player);
    }

    moves_per_round.clear();
    while (game.round != Game::showdown) {
        const std::vector<Card> cards = sequencer.request_cards(game.round);
        moves_per_round.push_back(0);
        while (!game.round_over()) {
            const float move = sequencer.request_move(game.history.names[game.current_player]);
            if (sequencer.all_in_stake(all_in_stake))
                game.all_in_move(all_in_stake);
            else
                game.apply_move(move);
            ++moves_per_round.back();
        }
        game.advance_round(cards);
    }
    sequencer.notify_end_game(game.history);
}

} // namespace poker::texas_holdem
