#include "texas_holdem/pokerstars/StreamSequencer.h"

#include <filesystem>
#include <string>
#include <vector>

#include <boost/algorithm/string/trim.hpp>
#include <boost/lexical_cast.hpp>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ChildProcess.h"
#include "support/ReplayHarness.h"

using corvald_test::read_text_file;
using corvald_test::replay_with_model;
using corvald_test::shared_samples;

// Valid files against the expected result of every hand, corrupt files against their
// message, and real client output of the later form to its end.
TEST(SharedHandHistories, ValidFilesReplayAsExpectedAndBrokenOnesStopWithTheirMessage)
{
    CORVALD_SKIP_WITHOUT(corvald_test::shared_hand_histories());
    // The file beside `sample` with the same stem and extension `extension`.
    const auto companion = [](const std::string& sample, const char* extension) {
        return read_text_file(std::filesystem::path(sample).replace_extension(extension).string());
    };
    for (const std::string& file : shared_samples("valid-")) {
        SCOPED_TRACE(file);
        const auto outcome = replay_with_model(read_text_file(file));
        EXPECT_EQ(outcome.error.value_or(""), "");
        const auto expected = nlohmann::json::parse(companion(file, ".expect.json"));
        ASSERT_EQ(outcome.hands.size(), expected.size());
        auto hand = outcome.hands.begin();
        for (const auto& want : expected) {
            SCOPED_TRACE("game " + want.at("game_id").get<std::string>());
            EXPECT_EQ(hand->new_game.game_id, want.at("game_id"));
            EXPECT_EQ(hand->new_game.table_name, want.at("table_name"));
            EXPECT_EQ(hand->new_game.players, want.at("players").get<std::vector<std::string>>());
            EXPECT_EQ(hand->moves_per_round, want.at("moves_per_round").get<std::vector<unsigned>>());
            EXPECT_EQ(hand->final_stakes, want.at("final_stakes").get<std::vector<float>>());
            EXPECT_EQ(boost::lexical_cast<std::string>(hand->expected_pot), want.at("expected_pot_text"));
            EXPECT_EQ(hand->showdown, want.at("showdown"));
            ++hand;
        }
    }
    for (const std::string& file : shared_samples("corrupt-"))
        EXPECT_EQ(replay_with_model(read_text_file(file)).error,
                  boost::algorithm::trim_copy(companion(file, ".message")))
            << file;
    for (const std::string& file : shared_samples("real-")) {
        const auto outcome = replay_with_model(read_text_file(file));
        EXPECT_EQ(outcome.error.value_or(""), "") << file;
        EXPECT_FALSE(outcome.hands.empty()) << file;
    }
}
