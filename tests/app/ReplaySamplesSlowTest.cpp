#include "app/ReplayCommand.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <boost/algorithm/string/trim.hpp>
#include <gtest/gtest.h>

#include "support/ChildProcess.h"
#include "support/ReplayHarness.h"

using corvald_test::read_text_file;
using corvald_test::run_child;
using corvald_test::shared_hand_histories;

// The shared samples through the program itself: its hand loop, the live driver with its
// simulations and the table view, without a terminal.

namespace {

namespace fs = std::filesystem;

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

class ReplaySamples : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fs::is_directory(shared_hand_histories()))
            GTEST_SKIP() << "the shared hand-history samples are not at " << shared_hand_histories();
    }
};

} // namespace

TEST_F(ReplaySamples, ValidFilesEndWithStatusZeroAfterEveryHand)
{
    for (const fs::path& file : samples("valid-")) {
        SCOPED_TRACE(file.filename().string());
        const std::string text = read_text_file(file.string());
        const auto games = [&] {
            std::size_t count = 0;
            for (std::size_t at = text.find("PokerStars Game #"); at != std::string::npos;
                 at = text.find("PokerStars Game #", at + 1))
                ++count;
            return count;
        }();
        const auto result = run_child(CORVALD_BINARY, {"replay", file.string()});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_NE(result.err.find("corvald: " + std::to_string(games) + " hands replayed"),
                  std::string::npos)
            << result.err;
    }
}

TEST_F(ReplaySamples, CorruptAndRealFilesEndWithStatusOneAndTheirMessage)
{
    for (const fs::path& file : samples("corrupt-")) {
        SCOPED_TRACE(file.filename().string());
        fs::path message_file = file;
        message_file.replace_extension(".message");
        std::string message = read_text_file(message_file.string());
        boost::algorithm::trim(message);
        const auto result = run_child(CORVALD_BINARY, {"replay", "-"}, read_text_file(file.string()));
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.err.find(": " + message + "\n"), std::string::npos) << result.err;
    }
    for (const fs::path& file : samples("real-")) {
        SCOPED_TRACE(file.filename().string());
        const auto result = run_child(CORVALD_BINARY, {"replay", file.string()});
        EXPECT_EQ(result.status, 1);
        EXPECT_NE(result.err.find("line 1: Malformed game header1\n"), std::string::npos) << result.err;
    }
}
