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

// The shared samples: valid files with the expected result of every hand, corrupt files
// with their message, and real client output of a later format.

namespace {

namespace fs = std::filesystem;
using boost::property_tree::ptree;

// The sample files named `prefix`*.txt, sorted; none when the folder is absent.
std::vector<fs::path> samples(const std::string& prefix)
{
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(shared_hand_histories())) {
        if (entry.path().filename().string().rfind(prefix, 0) == 0 && entry.path().extension() == ".txt")
            found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    EXPECT_FALSE(found.empty()) << prefix;
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
    for (fs::path file : samples("valid-")) {
        SCOPED_TRACE(file.filename().string());
        const ReplayOutcome outcome = replay_with_model(read_text_file(file.string()));
        EXPECT_FALSE(outcome.error) << *outcome.error << " at line " << outcome.lines_read;
        ptree expected;
        std::istringstream json(read_text_file(file.replace_extension(".expect.json").string()));
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
            EXPECT_EQ(hand->expected_pot, want.get<float>("expected_pot"));
            EXPECT_EQ(boost::lexical_cast<std::string>(hand->expected_pot),
                      want.get<std::string>("expected_pot_text"));
            EXPECT_EQ(hand->showdown, want.get<bool>("showdown"));
            ++hand;
        }
    }
}

TEST_F(SharedHandHistories, CorruptFilesStopWithTheirMessageAndRealOnesAtTheirFirstLine)
{
    for (fs::path file : samples("corrupt-")) {
        SCOPED_TRACE(file.filename().string());
        const ReplayOutcome outcome = replay_with_model(read_text_file(file.string()));
        EXPECT_EQ(outcome.error,
                  boost::algorithm::trim_copy(read_text_file(file.replace_extension(".message").string())));
    }
    for (const fs::path& file : samples("real-")) {
        SCOPED_TRACE(file.filename().string());
        const ReplayOutcome outcome = replay_with_model(read_text_file(file.string()));
        EXPECT_EQ(outcome.error, "Malformed game header1");
        EXPECT_TRUE(outcome.hands.empty());
    }
}
