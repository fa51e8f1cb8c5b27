#include "app/ReplayCommand.h"

#include <filesystem>
#include <string>

#include <boost/algorithm/string/trim.hpp>
#include <gtest/gtest.h>

#include "support/ChildProcess.h"
#include "support/ReplayHarness.h"

using corvald_test::read_text_file;
using corvald_test::run_child;
using corvald_test::shared_hand_histories;
using corvald_test::shared_samples;

// The shared samples through the program itself: its hand loop, the live driver with its
// simulations and the table view, without a terminal.
TEST(ReplaySamples, ValidFilesEndWithStatusZeroAndBrokenOnesWithStatusOneAndTheirMessage)
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
    for (const std::string& file : shared_samples("corrupt-")) {
        const std::string message =
            read_text_file(std::filesystem::path(file).replace_extension(".message").string());
        const auto result = run_child(CORVALD_BINARY, {"replay", "-"}, read_text_file(file));
        EXPECT_EQ(result.status, 1) << file;
        EXPECT_NE(result.err.find(": " + boost::algorithm::trim_copy(message) + "\n"), std::string::npos)
            << file << result.err;
    }
    for (const std::string& file : shared_samples("real-")) {
        const auto result = run_child(CORVALD_BINARY, {"replay", file});
        EXPECT_EQ(result.status, 0) << file << result.err;
        EXPECT_NE(result.err.find(" hands replayed\n"), std::string::npos) << file << result.err;
    }
}

// Every real file of the later form through the program, in one run over the folder: all
// hands replay but those of the two files their authors edited by hand, whose money or
// seats do not add up.
TEST(ReplaySamples, RealFilesOfTheLaterFormReplayButTheHandEditedOnes)
{
    const std::string folder = shared_hand_histories() + "/current";
    if (!std::filesystem::is_directory(folder))
        GTEST_SKIP() << "the real hand histories are not at " << folder;
    const auto result = run_child(CORVALD_BINARY, {"replay", "--keep-going", folder}, "", 300);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("/CashGame/Limits/AnteTable.txt: hand history line 29: Pot mismatch: the summary "
                              "says $0.50, the bets add up to $0.90\n"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("/CashGame/PlayerTests/WithSittingOut.txt: hand history line 8: Expected a forced "
                              "bet, a status line or *** HOLE CARDS ***\n"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("corvald: Replayed 1246 hands, skipped 2\n"), std::string::npos) << result.err;
}
