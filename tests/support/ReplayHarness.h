#ifndef CORVALD_TESTS_SUPPORT_REPLAYHARNESS_H
#define CORVALD_TESTS_SUPPORT_REPLAYHARNESS_H

#include <optional>
#include <string>
#include <vector>

#include "texas_holdem/GameHistory.h"
#include "texas_holdem/Sequencer.h"
#include "texas_holdem/pokerstars/StreamSequencer.h"

namespace corvald_test {

// Thrown by the error hook of stop_by_throwing, so that a stopped replay returns to the
// test with its message instead of ending the process.
struct ReplayStopped {
    std::string message;
};

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

// The hands that passed their end checks, and the message that stopped the replay, if any.
struct ReplayOutcome {
    std::vector<ReplayedHand> hands;
    std::optional<std::string> error;
    unsigned lines_read = 0;
};

// Replays `text` through the replay source and the game model alone, on a memory console.
ReplayOutcome replay_with_model(const std::string& text);

// The whole content of a file; a test failure and "" when it cannot be read.
std::string read_text_file(const std::string& path);

// The project's own short hand histories, and the shared samples folder.
std::string replay_data_path(const std::string& name);
std::string replay_data_file(const std::string& name);
std::string shared_hand_histories();

} // namespace corvald_test

#endif
