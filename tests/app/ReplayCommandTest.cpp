#include "app/ReplayCommand.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "support/ChildProcess.h"
#include "support/ReplayHarness.h"

using corvald_test::read_text_file;
using corvald_test::replay_data_file;
using corvald_test::run_child;
using poker::texas_holdem::ReplayCommand;

namespace fs = std::filesystem;

// Without a terminal the message cannot wait for the space bar: it goes to standard error
// with its line number and the process ends with status 1 at once.
TEST(ReplayCommand, BrokenInputWithoutATerminalExitsWithStatusOneAndTheMessage)
{
    const auto broken =
        run_child(CORVALD_BINARY, {"replay", corvald_test::replay_data_path("missing-showdown.txt")});
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("line 24: Expected showdown\n"), std::string::npos) << broken.err;
    EXPECT_EQ(broken.out, "");

    const auto empty = run_child(CORVALD_BINARY, {"replay", "-"}, "\n\n");
    EXPECT_EQ(empty.status, 1);
    EXPECT_NE(empty.err.find("line 1: Malformed game header1\n"), std::string::npos) << empty.err;
}

TEST(ReplayCommand, UnreadableFileOrReportDirectoryIsReportedBeforeTheReplay)
{
    const auto unreadable = run_child(CORVALD_BINARY, {"replay", "/nonexistent/hands.txt"});
    EXPECT_EQ(unreadable.status, ReplayCommand::unusable_input_status);
    EXPECT_NE(unreadable.err.find("cannot read /nonexistent/hands.txt"), std::string::npos);

    const fs::path dir = corvald_test::make_temporary_directory();
    const std::string file = (dir / "file").string();
    std::ofstream(file) << "not a directory";
    // Input that would stop the replay with status 1, had it started.
    const auto blocked = run_child(CORVALD_BINARY, {"replay", "-", "--stats", file}, "x\n");
    EXPECT_EQ(blocked.status, ReplayCommand::unusable_input_status);
    EXPECT_NE(blocked.err.find(file), std::string::npos) << blocked.err;
    EXPECT_EQ(blocked.err.find("Malformed"), std::string::npos) << blocked.err;
    // A report that fails at the end: the same status, the final file and the reason.
    fs::create_directories(dir / "players.csv");
    const auto late = run_child(CORVALD_BINARY, {"replay", "-", "--stats", dir.string()},
                                replay_data_file("seat-rotation.txt"));
    EXPECT_EQ(late.status, ReplayCommand::unusable_input_status);
    EXPECT_NE(late.err.find("players.csv: Is a directory"), std::string::npos) << late.err;
    fs::remove_all(dir);
}

// The table formats are checked in SessionReportTest; here, that the replay's figures reach
// the files, on a normal end and when a later hand fails.
TEST(ReplayCommand, GoodInputEndsWithStatusZeroAndTheReportIsWrittenThenAndOnError)
{
    const fs::path dir = corvald_test::make_temporary_directory();
    const std::string hand = replay_data_file("seat-rotation.txt"), rounds = (dir / "rounds.csv").string();
    const auto good = run_child(CORVALD_BINARY, {"replay", "-", "--stats", dir.string()}, hand);
    ASSERT_EQ(good.status, 0) << good.err;
    EXPECT_NE(good.err.find(": 1 hand replayed\n"), std::string::npos) << good.err;
    const std::string players = read_text_file((dir / "players.csv").string());
    EXPECT_NE(players.find("\nDan,0,0,2,0,1\nEve,0,0,2,1,2\nAnn,0,0,2,0,0\n"), std::string::npos) << players;
    const std::string summary = read_text_file((dir / "summary.csv").string());
    EXPECT_NE(summary.find("\nEve,1,1.0000,0.0000,0.0000,0.0000,2.00\n"), std::string::npos) << summary;

    fs::remove(rounds);
    const auto failed = run_child(CORVALD_BINARY, {"replay", "-", "--stats", dir.string()},
                                  hand + replay_data_file("pot-mismatch.txt"));
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(read_text_file(rounds), "game,round,stake_to_match\n0,0,2\n");
    fs::remove_all(dir);
}

TEST(ReplayCommand, DelayPausesAfterEveryRedraw)
{
    const auto start = std::chrono::steady_clock::now();
    const auto result =
        run_child(CORVALD_BINARY, {"replay", "-", "--delay", "40"}, replay_data_file("seat-rotation.txt"));
    EXPECT_EQ(result.status, 0) << result.err;
    // New game, two blinds, the hole cards, four moves and the end: at least nine pauses.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(9 * 40));
}
