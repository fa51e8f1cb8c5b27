#include "texas_holdem/pokerstars/StreamSequencer.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <boost/algorithm/string/trim.hpp>
#include <boost/lexical_cast.hpp>
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <gtest/gtest.h>

#include "support/ReplayHarness.h"

using corvald_test::read_text_file;
using corvald_test::replay_with_model;
using corvald_test::ReplayOutcome;
using corvald_test::shared_hand_histories;

// The shared hand-history samples: generated valid files with the expected result of
// every hand, corrupt files with the message they must stop with, and real client output
// of a later format.

namespace {

namespace fs = std::filesystem;
using boost::property_tree::ptree;

// The sample files whose names start with `prefix` and end with ".txt", sorted.
std::vector<fs::path> samples(const std::string& prefix)
{
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(shared_hand_histories())) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) == 0 && entry.path().extension() == ".txt")
            found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

template <typename T>
std::vector<T> values(const ptree& array)
{
    std::vector<T> result;
    for (const auto& item : array)
        result.push_back(item.second.get_value<T>());
    return result;
}

class SharedHandHistories : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fs::is_directory(shared_hand_histories()))
            GTEST_SKIP() << "the shared hand-history samples are not at " << shared_hand_histories();
    }
};

} // namespace

TEST_F(SharedHandHistories, ValidFilesReplayEveryHandAsExpected)
{
    const auto files = samples("valid-");
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        fs::path expect_file = file;
        expect_file.replace_extension(".expect.json");
        ptree expected;
        std::istringstream json(read_text_file(expect_file.string()));
        boost::property_tree::read_json(json, expected);

        const ReplayOutcome outcome = replay_with_model(read_text_file(file.string()));
        EXPECT_FALSE(outcome.error) << outcome.error.value_or("") << " at line " << outcome.lines_read;
        ASSERT_EQ(outcome.hands.size(), expected.size());

        std::size_t i = 0;
        for (const auto& item : expected) {
            const ptree& want = item.second;
            const auto& hand = outcome.hands[i++];
            SCOPED_TRACE("game " + want.get<std::string>("game_id"));
            EXPECT_EQ(hand.new_game.game_id, want.get<std::string>("game_id"));
            EXPECT_EQ(hand.new_game.table_name, want.get<std::string>("table_name"));
            EXPECT_EQ(hand.new_game.players, values<std::string>(want.get_child("players")));
            EXPECT_EQ(hand.moves_per_round, values<unsigned>(want.get_child("moves_per_round")));
            EXPECT_EQ(hand.final_stakes, values<float>(want.get_child("final_stakes")));
            EXPECT_EQ(hand.expected_pot, want.get<float>("expected_pot"));
            EXPECT_EQ(boost::lexical_cast<std::string>(hand.expected_pot),
                      want.get<std::string>("expected_pot_text"));
            EXPECT_EQ(hand.showdown, want.get<bool>("showdown"));
        }
    }
}

TEST_F(SharedHandHistories, CorruptFilesStopWithTheirMessage)
{
    const auto files = samples("corrupt-");
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        fs::path message_file = file;
        message_file.replace_extension(".message");
        std::string message = read_text_file(message_file.string());
        boost::algorithm::trim(message);

        const ReplayOutcome outcome = replay_with_model(read_text_file(file.string()));
        EXPECT_EQ(outcome.error, message);
    }
}

TEST_F(SharedHandHistories, RealClientOutputOfTheLaterFormatStopsAtItsFirstLine)
{
    const auto files = samples("real-");
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        const ReplayOutcome outcome = replay_with_model(read_text_file(file.string()));
        EXPECT_EQ(outcome.error, "Malformed game header1");
        EXPECT_TRUE(outcome.hands.empty());
    }
}
