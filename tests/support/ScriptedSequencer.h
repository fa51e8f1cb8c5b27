#ifndef CORVALD_TESTS_SUPPORT_SCRIPTEDSEQUENCER_H
#define CORVALD_TESTS_SUPPORT_SCRIPTEDSEQUENCER_H

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "poker/Card.h"
#include "texas_holdem/Game.h"
#include "texas_holdem/GameHistory.h"
#include "texas_holdem/Sequencer.h"

namespace corvald_test {

// An input source that answers from prepared lists and writes down every call, so a
// test can drive the hand driver through exact events and look at the screen in the
// middle of a hand (`on_request` runs at the start of every call, before it answers).
// Running out of answers is a test failure; the source then folds, so the hand ends.
class ScriptedSequencer : public poker::texas_holdem::Sequencer {
public:
    NewGame request_new_game(unsigned max_players) override;
    float request_blind(std::string player) override;
    std::vector<poker::Card> request_cards(poker::texas_holdem::Game::Round round) override;
    float request_move(std::string player) override;
    void notify_end_game(const poker::texas_holdem::GameHistory& history) override;

    std::vector<std::string> players;
    std::deque<float> blinds;
    std::deque<std::vector<poker::Card>> cards;
    std::deque<float> moves;

    // Every call as "new game 16", "blind P1", "cards flop", "move P3", "end".
    std::vector<std::string> calls;
    std::function<void(const std::string& call)> on_request;
    poker::texas_holdem::GameHistory final_history;

private:
    void record(const std::string& call);
};

// Cards in the two-character notation, e.g. cards("ahkd").
std::vector<poker::Card> cards(const std::string& notation);

} // namespace corvald_test

#endif
