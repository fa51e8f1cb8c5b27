#include "support/GameState.h"

#include <sstream>

using poker::Card;
using poker::texas_holdem::Game;

namespace corvald_test {

namespace {

const char* round_text(Game::Round round)
{
    switch (round) {
    case Game::hole: return "hole";
    case Game::flop: return "flop";
    case Game::turn: return "turn";
    case Game::river: return "river";
    case Game::showdown: return "showdown";
    }
    return "?";
}

} // namespace

std::string describe(const Game& game)
{
    std::ostringstream text;
    text << round_text(game.round) << " P" << game.current_player << " match "
         << game.history.stakes_to_match.back() << " |";
    for (std::size_t p = 0; p < game.history.player_stakes.size(); ++p) {
        text << ' ' << game.history.player_stakes[p].back();
        if (game.folded[p])
            text << 'f';
        if (game.observed[p])
            text << 'o';
    }
    text << " | " << (game.round_over() ? "over" : "open");
    return text.str();
}

void play(Game& game, std::initializer_list<float> moves)
{
    for (float amount : moves) {
        if (amount < 0)
            game.fold();
        else
            game.raise(amount);
    }
}

Game fold_on_flop_hand()
{
    Game game;
    game.new_hand({"Ann", "Bob", "Cid"});
    game.blind(1);
    game.blind(2);
    play(game, {0, 0, 0});
    game.advance_round({Card(12, Card::spades), Card(12, Card::hearts)});
    play(game, {4, -1, 0});
    game.advance_round({Card(0, Card::clubs), Card(5, Card::diamonds), Card(9, Card::hearts)});
    play(game, {0, 0});
    game.advance_round({Card(3, Card::spades)});
    play(game, {0, 0});
    game.advance_round({Card(7, Card::clubs)});
    return game;
}

} // namespace corvald_test
