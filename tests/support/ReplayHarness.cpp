#include "support/ReplayHarness.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "console/ScopedConsole.h"
#include "texas_holdem/ModelDriver.h"
#include "texas_holdem/pokerstars/ReplaySequencer.h"

namespace corvald_test {

using poker::texas_holdem::ModelDriver;
using poker::texas_holdem::pokerstars::ReplaySequencer;
using poker::texas_holdem::pokerstars::StreamSequencer;

void stop_by_throwing(StreamSequencer& sequencer)
{
    sequencer.set_error_hook([](const std::string& message) { throw ReplayStopped{message}; });
}

ReplayOutcome replay_with_model(const std::string& text)
{
    const console::ScopedConsole screen;
    std::istringstream in(text);
    ReplaySequencer replay(in);
    stop_by_throwing(replay);

    ReplayOutcome outcome;
    try {
        while (replay.has_next_hand()) {
            ModelDriver driver;
            driver.go(replay);
            ReplayedHand hand{driver.new_game, driver.moves_per_round, {}, driver.game.history,
                              replay.expected_pot, replay.showdown_expected};
            for (const auto& stakes : driver.game.history.player_stakes)
                hand.final_stakes.push_back(stakes.back());
            outcome.hands.push_back(hand);
        }
    } catch (const ReplayStopped& stop) {
        outcome.error = stop.message;
    }
    outcome.lines_read = replay.lines_read();
    return outcome;
}

std::string read_text_file(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file) << "cannot read " << path;
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string replay_data_path(const std::string& name)
{
    return std::string(CORVALD_SOURCE_DIR) + "/tests/texas_holdem/pokerstars/data/" + name;
}

std::string replay_data_file(const std::string& name)
{
    return read_text_file(replay_data_path(name));
}

std::string shared_hand_histories()
{
    return std::string(CORVALD_SOURCE_DIR) + "/../shared/hand-histories";
}

} // namespace corvald_test
