#include "support/GameState.h"

#include <cassert>
#include <iterator>
#include <sstream>

#include "support/CardText.h"

using poker::texas_holdem::Game;

namespace corvald_test {

std::string describe(const Game& game)
{
    static const char* const round_names[] = {"hole", "flop", "turn", "river", "showdown"};
    std::ostringstream text;
    text << round_names[game.round] << " P" << game.current_player << " match " << game.history.stakes_to_match.back()
         << " |";
    for (std::size_t p = 0; p < game.history.player_stakes.size(); ++p)
        text << ' ' << game.history.player_stakes[p].back() << (game.folded[p] ? "f" : "")
             << (game.observed[p] ? "o" : "");
    text << " | " << (game.round_over() ? "over" : "open");
    return text.str();
}

Game play_hand(const std::vector<std::string>& names, const std::vector<float>& blinds,
               const std::vector<std::vector<float>>& rounds, std::vector<std::string>* seen)
{
    const char* const round_cards[] = {"As Ah", "2c 7d Th", "5s", "9c"};
    assert(rounds.size() <= std::size(round_cards) + 1);
    Game game;
    const auto note = [&] {
        if (seen != nullptr)
            seen->push_back(describe(game));
    };
    game.new_hand(names);
    note();
    for (float amount : blinds) {
        game.blind(amount);
        note();
    }
    for (std::size_t r = 0; r < rounds.size(); ++r) {
        if (r > 0) {
            game.advance_round(poker::test::cards(round_cards[r - 1]));
            note();
        }
        for (float amount : rounds[r]) {
            game.apply_move(amount);
            note();
        }
    }
    return game;
}

Game three_player_hand(std::vector<std::string>* seen)
{
    return play_hand({"Ann", "Bob", "Cid"}, {1, 2}, {{0, 0, 4, 0, 0}, {4, -1, 0}, {0, 0}, {0, 0}, {}}, seen);
}

} // namespace corvald_test
