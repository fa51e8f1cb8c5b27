#ifndef CORVALD_TESTS_SUPPORT_REPLAYHARNESS_H
#define CORVALD_TESTS_SUPPORT_REPLAYHARNESS_H

#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "texas_holdem/GameHistory.h"
#include "texas_holdem/Sequencer.h"
#include "texas_holdem/pokerstars/StreamSequencer.h"

namespace corvald_test {

// Thrown by the error hook the replay tests install, so that a stopped replay returns to
// the test with the message its error row showed instead of ending the process.
struct ReplayStopped {
    std::string message;
};

// Makes `sequencer`'s error() throw ReplayStopped once the message is on the screen.
void stop_by_throwing(poker::texas_holdem::pokerstars::StreamSequencer& sequencer);

// One hand as the replay delivered it to the game model.
struct ReplayedHand {
    poker::texas_holdem::Sequencer::NewGame new_game;
    std::vector<unsigned> moves_per_round;
    std::vector<float> final_stakes;
    poker::texas_holdem::GameHistory history;
    float expected_pot = 0;
    bool showdown = false;
};

// How a whole text replayed: the hands that passed their end checks, then either a clean
// end (the text used up after at least one hand) or the message that stopped it.
struct ReplayOutcome {
    std::vector<ReplayedHand> hands;
    std::optional<std::string> error;
    // The reader's line count when the replay ended.
    unsigned lines_read = 0;
};

// Replays `text` through the replay source and the game model alone (no simulations, no
// table view), on a memory console of its own.
ReplayOutcome replay_with_model(const std::string& text);

// The whole content of a file; a test failure and "" when it cannot be read.
std::string read_text_file(const std::string& path);

// The project's own hand-history test files, and the shared samples folder.
std::string replay_data_file(const std::string& name);
std::string shared_hand_histories();

} // namespace corvald_test

#endif
