#include "texas_holdem/pokerstars/StreamSequencer.h"

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <boost/algorithm/string/trim.hpp>
#include <boost/lexical_cast.hpp>
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <gtest/gtest.h>

#include "support/ChildProcess.h"
#include "support/ReplayHarness.h"

using corvald_test::read_text_file;
using corvald_test::replay_with_model;
using corvald_test::shared_samples;

namespace {

using boost::property_tree::ptree;

template <typename T>
std::vector<T> values(const ptree& array)
{
    std::vector<T> result;
    for (const auto& item : array)
        result.push_back(item.second.get_value<T>());
    return result;
}

} // namespace

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
        ptree expected;
        std::istringstream json(companion(file, ".expect.json"));
        boost::property_tree::read_json(json, expected);
        ASSERT_EQ(outcome.hands.size(), expected.size());
        auto hand = outcome.hands.begin();
        for (const auto& [key, want] : expected) {
            SCOPED_TRACE("game " + want.get<std::string>("game_id"));
            EXPECT_EQ(hand->new_game.game_id, want.get<std::string>("game_id"));
            EXPECT_EQ(hand->new_game.table_name, want.get<std::string>("table_name"));
            EXPECT_EQ(hand->new_game.players, values<std::string>(want.get_child("players")));
            EXPECT_EQ(hand->moves_per_round, values<unsigned>(want.get_child("moves_per_round")));
            EXPECT_EQ(hand->final_stakes, values<float>(want.get_child("final_stakes")));
            EXPECT_EQ(boost::lexical_cast<std::string>(hand->expected_pot), want.get<std::string>("expected_pot_text"));
            EXPECT_EQ(hand->showdown, want.get<bool>("showdown"));
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
