#ifndef CORVALD_TESTS_SUPPORT_REPLAYHARNESS_H
#define CORVALD_TESTS_SUPPORT_REPLAYHARNESS_H

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/ChildProcess.h"
#include "support/ModelDriver.h"
#include "support/ScopedConsole.h"
#include "texas_holdem/pokerstars/HandHistoryError.h"
#include "texas_holdem/pokerstars/ReplaySequencer.h"

namespace corvald_test {

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
};

// "<line> <message>" of the hand-history fault `run` stops with; "" when it runs to its end.
template <typename Run>
std::string hand_history_fault(Run run)
{
    try {
        run();
    } catch (const poker::texas_holdem::pokerstars::HandHistoryError& fault) {
        return std::to_string(fault.line) + " " + fault.what();
    }
    return "";
}

// Replays `text` through the replay source and the game model alone, on a memory console.
inline ReplayOutcome replay_with_model(const std::string& text)
{
    const console::ScopedConsole screen;
    std::istringstream in(text);
    poker::texas_holdem::pokerstars::ReplaySequencer replay(in);
    ReplayOutcome outcome;
    try {
        while (replay.has_next_hand()) {
            poker::texas_holdem::ModelDriver driver;
            driver.go(replay);
            ReplayedHand hand{driver.new_game,     driver.moves_per_round, {},
                              driver.game.history, replay.expected_pot,    replay.showdown_expected};
            for (const auto& stakes : driver.game.history.player_stakes)
                hand.final_stakes.push_back(stakes.back());
            outcome.hands.push_back(hand);
        }
    } catch (const poker::texas_holdem::pokerstars::HandHistoryError& stop) {
        outcome.error = stop.what();
    }
    return outcome;
}

// The project's own short hand histories, one behaviour each.
inline std::string replay_data_path(const std::string& name)
{
    return std::string(CORVALD_SOURCE_DIR) + "/tests/texas_holdem/pokerstars/data/" + name;
}

inline std::string replay_data_file(const std::string& name)
{
    return read_text_file(replay_data_path(name));
}

// The shared samples folder, and its files named `prefix`*.txt, sorted.
inline std::string shared_hand_histories()
{
    return std::string(CORVALD_SOURCE_DIR) + "/../shared/hand-histories";
}

// Skips the running test when `path` is missing: the shared hand histories are not part of
// the project.
#define CORVALD_SKIP_WITHOUT(path)                                                                                     \
    if (!std::filesystem::exists(path))                                                                                \
    GTEST_SKIP() << "the shared hand histories are not at " << (path)

inline std::vector<std::string> shared_samples(const std::string& prefix)
{
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(shared_hand_histories())) {
        if (entry.path().filename().string().rfind(prefix, 0) == 0 && entry.path().extension() == ".txt")
            found.push_back(entry.path().string());
    }
    std::sort(found.begin(), found.end());
    EXPECT_FALSE(found.empty()) << prefix;
    return found;
}

} // namespace corvald_test

#endif
