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

TEST(ReplayCommand, UnreadableFileOrReportDirectoryIsReportedBeforeTheReplay)
{
    const auto unreadable = run_child(CORVALD_BINARY, {"replay", "/nonexistent/hands.txt"});
    EXPECT_EQ(unreadable.status, ReplayCommand::unusable_input_status);
    EXPECT_NE(unreadable.err.find("cannot read /nonexistent/hands.txt"), std::string::npos);

    const corvald_test::TemporaryDirectory dir;
    const std::string file = (dir / "file").string();
    std::ofstream(file) << "not a directory";
    // Input that would stop the replay with status 1, had it started.
    const auto blocked = run_child(CORVALD_BINARY, {"replay", "-", "--stats", file}, "x\n");
    EXPECT_EQ(blocked.status, ReplayCommand::unusable_input_status);
    EXPECT_NE(blocked.err.find(file), std::string::npos) << blocked.err;
    EXPECT_EQ(blocked.err.find("Malformed"), std::string::npos) << blocked.err;
    // A report that fails at the end: the same status, the final file and the reason.
    fs::create_directories(dir / "players.csv");
    const auto late =
        run_child(CORVALD_BINARY, {"replay", "-", "--stats", dir.string()}, replay_data_file("seat-rotation.txt"));
    EXPECT_EQ(late.status, ReplayCommand::unusable_input_status);
    EXPECT_NE(late.err.find("players.csv: Is a directory"), std::string::npos) << late.err;
}

// The table formats are checked in SessionReportTest; here, that the replay's figures reach
// the files, on a normal end and when a later hand fails.
TEST(ReplayCommand, GoodInputEndsWithStatusZeroAndTheReportIsWrittenThenAndOnError)
{
    const corvald_test::TemporaryDirectory dir;
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

// A directory gives every *.txt below it in name order; --keep-going reports a faulty hand
// with its file and line and goes on at the next hand's first line.
TEST(ReplayCommand, SeveralFilesAndFoldersReplayInOrderAndKeepGoingSkipsFaultyHands)
{
    const corvald_test::TemporaryDirectory dir;
    const std::string good = replay_data_file("seat-rotation.txt");
    fs::create_directories(dir / "b");
    std::ofstream(dir / "b" / "2.txt") << replay_data_file("pot-mismatch.txt") << good;
    std::ofstream(dir / "b" / "1.txt") << good;
    std::ofstream(dir / "b" / "notes.csv") << "not a hand";
    std::ofstream(dir / "a.txt") << good << "\n" << good;
    const std::string b2 = (dir / "b" / "2.txt").string();

    const auto kept = run_child(CORVALD_BINARY,
                                {"replay", "--keep-going", (dir / "b").string(), "-", (dir / "a.txt").string()}, good);
    EXPECT_EQ(kept.status, 1);
    EXPECT_NE(kept.err.find(b2 + ": hand history line 30: Game over pot size mismatch: $6\n"), std::string::npos)
        << kept.err;
    EXPECT_NE(kept.err.find("corvald: Replayed 5 hands, skipped 1\n"), std::string::npos) << kept.err;

    const auto stopped = run_child(CORVALD_BINARY, {"replay", dir.string()});
    EXPECT_EQ(stopped.status, 1);
    EXPECT_NE(stopped.err.find(b2 + ": hand history line 30: Game over"), std::string::npos) << stopped.err;

    const fs::path stats = dir / "stats";
    fs::create_directories(stats);
    const auto clean = run_child(
        CORVALD_BINARY,
        {"replay", (dir / "b" / "1.txt").string(), "-", (dir / "a.txt").string(), "--stats", stats.string()}, good);
    EXPECT_EQ(clean.status, 0) << clean.err;
    EXPECT_NE(clean.err.find("corvald: 4 hands replayed\n"), std::string::npos) << clean.err;
    // The report covers every input: Eve played all four hands.
    const std::string summary = read_text_file((stats / "summary.csv").string());
    EXPECT_NE(summary.find("\nEve,4,"), std::string::npos) << summary;

    fs::remove(dir / "b" / "1.txt");
    fs::remove(dir / "b" / "2.txt");
    const auto empty_folder = run_child(CORVALD_BINARY, {"replay", (dir / "b").string()});
    EXPECT_EQ(empty_folder.status, ReplayCommand::unusable_input_status);
    EXPECT_NE(empty_folder.err.find("no .txt file below"), std::string::npos) << empty_folder.err;
}

// Without a terminal the message cannot wait for the space bar: it goes to standard error
// with its line number and the process ends with status 1 at once. Input that is no
// hand-history text stops at once with what it is; a text cut off inside a hand names the
// hand's first line and stops at the last line.
TEST(ReplayCommand, BrokenInputWithoutATerminalExitsWithStatusOneAndTheMessage)
{
    const std::string hand = replay_data_file("seat-rotation.txt");
    const struct {
        std::string file, input, message;
    } runs[] = {{corvald_test::replay_data_path("missing-showdown.txt"), "", "line 24: Expected showdown\n"},
                {"-", "\n\n", "line 1: Malformed game header1\n"},
                {"/dev/zero", "", "line 1: Not a text file: line 1 holds a NUL byte\n"},
                {"-", "", "The input holds no hand\n"},
                {"-", hand + hand.substr(0, hand.find("*** HOLE CARDS ***")),
                 "line 28: The file ends inside the hand that began at line 20\n"}};
    for (const auto& run : runs) {
        const auto broken = run_child(CORVALD_BINARY, {"replay", run.file}, run.input, 10);
        EXPECT_EQ(broken.status, 1) << run.message;
        EXPECT_NE(broken.err.find(run.message), std::string::npos) << broken.err;
        EXPECT_EQ(broken.out, "");
    }
}

// A hand of the later text cut off mid-line, with the next header glued on: with
// --keep-going only the cut hand is lost.
TEST(ReplayCommand, HeaderGluedToACutOffLineStartsTheNextHand)
{
    const std::string later = corvald_test::shared_hand_histories() + "/current/jkt3000/hand1.txt";
    CORVALD_SKIP_WITHOUT(later);
    const std::string hand = read_text_file(later);
    const std::string cut = hand.substr(0, hand.find("[Td]") + 2);
    const auto result = run_child(CORVALD_BINARY, {"replay", "--keep-going", "-"}, cut + hand);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("hand history line 22: "), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("corvald: Replayed 1 hand, skipped 1\n"), std::string::npos) << result.err;
}
