#include "support/ScriptedSequencer.h"

#include <gtest/gtest.h>

#include "texas_holdem/SequencerHelper.h"

namespace corvald_test {

using poker::Card;
using poker::texas_holdem::Game;
using poker::texas_holdem::GameHistory;
using poker::texas_holdem::SequencerHelper;

void ScriptedSequencer::record(const std::string& call)
{
    calls.push_back(call);
    if (on_request)
        on_request(call);
}

ScriptedSequencer::NewGame ScriptedSequencer::request_new_game(unsigned max_players)
{
    record("new game " + std::to_string(max_players));
    return NewGame{players, "Script", ""};
}

float ScriptedSequencer::request_blind(std::string player)
{
    record("blind " + player);
    if (blinds.empty()) {
        ADD_FAILURE() << "no blind left for " << player;
        return 0;
    }
    const float amount = blinds.front();
    blinds.pop_front();
    return amount;
}

std::vector<Card> ScriptedSequencer::request_cards(Game::Round round)
{
    record("cards " + SequencerHelper::round_name(round));
    if (cards.empty()) {
        ADD_FAILURE() << "no cards left for " << SequencerHelper::round_name(round);
        return std::vector<Card>(static_cast<std::size_t>(Game::cards_dealt_in_round(round)));
    }
    std::vector<Card> result = cards.front();
    cards.pop_front();
    return result;
}

float ScriptedSequencer::request_move(std::string player)
{
    record("move " + player);
    if (moves.empty()) {
        ADD_FAILURE() << "no move left for " << player;
        return fold_amount;
    }
    const float amount = moves.front();
    moves.pop_front();
    return amount;
}

void ScriptedSequencer::notify_end_game(const GameHistory& history)
{
    record("end");
    final_history = history;
}

std::vector<Card> cards(const std::string& notation)
{
    std::vector<Card> result(notation.size() / 2);
    EXPECT_TRUE(SequencerHelper::parse(notation, result)) << notation;
    return result;
}

} // namespace corvald_test
