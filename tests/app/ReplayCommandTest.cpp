#include "app/ReplayCommand.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "console/ScopedConsole.h"
#include "support/ChildProcess.h"
#include "support/ReplayHarness.h"
#include "texas_holdem/pokerstars/ReplaySequencer.h"

using corvald_test::replay_data_file;
using corvald_test::run_child;
using poker::texas_holdem::ReplayCommand;

namespace {

namespace fs = std::filesystem;

std::string data_path(const std::string& name)
{
    return std::string(CORVALD_SOURCE_DIR) + "/tests/texas_holdem/pokerstars/data/" + name;
}

std::string slurp(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

} // namespace

// Without a terminal the message cannot wait for the space bar: it goes to standard error
// and the process ends with status 1 at once.
TEST(ReplayCommand, BrokenFileWithoutATerminalExitsWithStatusOneAndTheMessage)
{
    const auto result = run_child(CORVALD_BINARY, {"replay", data_path("missing-showdown.txt")});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(": Expected showdown\n"), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
}

TEST(ReplayCommand, GoodFileEndsWithStatusZeroAndTheCount)
{
    const std::string hands = replay_data_file("checked-down-river.txt")
                              + replay_data_file("uncalled-river-bet.txt");
    const auto result = run_child(CORVALD_BINARY, {"replay", "-"}, hands);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("2 hands replayed"), std::string::npos) << result.err;
}

TEST(ReplayCommand, InputWithoutAHandIsMalformed)
{
    const auto result = run_child(CORVALD_BINARY, {"replay", "-"}, "\n\n");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find(": Malformed game header1\n"), std::string::npos) << result.err;
}

TEST(ReplayCommand, UnreadableFileIsReportedWithStatusTwo)
{
    const auto result = run_child(CORVALD_BINARY, {"replay", "/nonexistent/hands.txt"});
    EXPECT_EQ(result.status, ReplayCommand::unusable_input_status);
    EXPECT_NE(result.err.find("cannot read /nonexistent/hands.txt"), std::string::npos);
}

TEST(ReplayCommand, UnwritableReportDirectoryIsReportedBeforeTheReplay)
{
    const fs::path dir = corvald_test::make_temporary_directory();
    const fs::path blocked = dir / "file";
    std::ofstream(blocked) << "not a directory";
    // Input that would stop the replay with status 1, had it started.
    const auto result = run_child(CORVALD_BINARY, {"replay", "-", "--stats", blocked.string()}, "x\n");
    EXPECT_EQ(result.status, ReplayCommand::unusable_input_status);
    EXPECT_NE(result.err.find(blocked.string()), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("Malformed"), std::string::npos) << result.err;
    fs::remove_all(dir);
}

TEST(ReplayCommand, ReportIsWrittenAtTheEndAndReplacesTheOldOne)
{
    const fs::path dir = corvald_test::make_temporary_directory();
    std::ofstream(dir / "players.csv") << "old content\n";
    const auto result = run_child(CORVALD_BINARY, {"replay", data_path("seat-rotation.txt"),
                                                   "--stats", dir.string()});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(slurp(dir / "players.csv"),
              "name,game,round,stake_to_match,active,stake\n"
              "Dan,0,0,2,0,1\nEve,0,0,2,1,2\nAnn,0,0,2,0,0\nBob,0,0,2,0,0\nCid,0,0,2,0,0\n");
    EXPECT_EQ(slurp(dir / "rounds.csv"), "game,round,stake_to_match\n0,0,2\n");
    EXPECT_NE(slurp(dir / "summary.csv").find("\nEve,1,1.0000,0.0000,0.0000,0.0000,2.00\n"),
              std::string::npos);
    // Nothing but the three files is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
    fs::remove_all(dir);
}

TEST(ReplayCommand, ReportIsWrittenWhenAnErrorEndsTheReplay)
{
    const fs::path dir = corvald_test::make_temporary_directory();
    const std::string text = replay_data_file("seat-rotation.txt") + replay_data_file("pot-mismatch.txt");
    const auto result = run_child(CORVALD_BINARY, {"replay", "-", "--stats", dir.string()}, text);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Game over pot size mismatch: $6"), std::string::npos);
    EXPECT_EQ(slurp(dir / "rounds.csv"), "game,round,stake_to_match\n0,0,2\n");
    fs::remove_all(dir);
}

TEST(ReplayCommand, DelayPausesAfterEveryRedraw)
{
    const std::string hand = replay_data_file("seat-rotation.txt");
    const auto start = std::chrono::steady_clock::now();
    const auto result = run_child(CORVALD_BINARY, {"replay", "-", "--delay", "40"}, hand);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(result.status, 0) << result.err;
    // New game, two blinds, the hole cards, four moves and the end of the hand: at least
    // nine pauses.
    EXPECT_GE(elapsed, std::chrono::milliseconds(9 * 40));
}

// In the process itself: the default error path waits for nothing when the console has
// no keyboard, and exits with status 1.
TEST(ReplayCommandDeathTest, ErrorEndsTheProcessWithStatusOne)
{
    EXPECT_EXIT(
        {
            const console::ScopedConsole screen;
            std::istringstream in("not a game line\n");
            poker::texas_holdem::pokerstars::ReplaySequencer replay(in);
            replay.request_new_game(16);
        },
        ::testing::ExitedWithCode(1), "line 1: Malformed game header1");
}

// The hand loop, driver and table view of the live program play the replayed hand.
TEST(ReplayCommand, RunPlaysHandsThroughTheLiveHandLoop)
{
    const console::ScopedConsole screen;
    std::istringstream in(replay_data_file("checked-down-river.txt"));
    ReplayCommand::Options options;
    EXPECT_EQ(ReplayCommand::run(in, options), 0);
    EXPECT_EQ(screen.screen.text(1, 1, 16), "Replayed 1 hand ");
    // The driver's table view: the players in seat order from the blinds on, and the
    // chances for no opponent in every round's column.
    EXPECT_EQ(screen.screen.text(14, 43, 3), "Bob");
    EXPECT_EQ(screen.screen.text(14, 45, 3), "Ann");
    EXPECT_EQ(screen.screen.text(18, 24, 19), "100% 100% 100% 100%");
}
