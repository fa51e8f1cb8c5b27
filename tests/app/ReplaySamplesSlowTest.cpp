#include "app/ReplayCommand.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/ChildProcess.h"
#include "support/ReplayHarness.h"

using corvald_test::read_text_file;
using corvald_test::run_child;
using corvald_test::shared_hand_histories;
using corvald_test::shared_samples;

// The valid shared samples through the program itself: its hand loop, the live driver with
// its simulations and the table view, without a terminal. How broken files stop is checked
// on the replay itself (SharedHandHistories) and on the program (ReplayCommand).
TEST(ReplaySamples, ValidFilesReplayEveryHandThroughTheProgram)
{
    if (!std::filesystem::is_directory(shared_hand_histories()))
        GTEST_SKIP() << "the shared hand-history samples are not at " << shared_hand_histories();
    for (const std::string& file : shared_samples("valid-")) {
        std::size_t games = 0;
        const std::string text = read_text_file(file);
        for (auto at = text.find("PokerStars Game #"); at != std::string::npos;
             at = text.find("PokerStars Game #", at + 1))
            ++games;
        const auto result = run_child(CORVALD_BINARY, {"replay", file});
        EXPECT_EQ(result.status, 0) << file;
        EXPECT_NE(result.err.find("corvald: " + std::to_string(games) + " hands replayed"), std::string::npos)
            << file << result.err;
    }
}
