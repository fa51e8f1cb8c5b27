#include "texas_holdem/SessionReport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "support/ChildProcess.h"
#include "texas_holdem/SessionAnalyser.h"

using corvald_test::read_text_file;
using poker::texas_holdem::SessionAnalyser;
using poker::texas_holdem::SessionReport;

namespace {

namespace fs = std::filesystem;

const std::string ann = "Ann, \"Jr\"";

// Two hands: in the first Ann folds on the flop and Bob plays to the end; in the second
// Bob folds before the flop and the hand ends there.
SessionAnalyser two_hands()
{
    SessionAnalyser session;
    session.player_entries = {{ann, 0, 0, 2, true, 4},    {ann, 0, 1, 6, false, 4},    {"Bob", 0, 0, 2, true, 12},
                              {"Bob", 0, 1, 6, true, 12}, {"Bob", 0, 2, 12, true, 12}, {"Bob", 0, 3, 12, true, 12},
                              {ann, 1, 0, 2, true, 2},    {"Bob", 1, 0, 2, false, 1}};
    session.game_entries = {{0, 0, 2}, {0, 1, 6}, {0, 2, 12}, {0, 3, 12}, {1, 0, 2}};
    session.game_count = 2;
    return session;
}

} // namespace

// Quotes and commas in names are quoted; amounts are the shortest text that reads back.
TEST(SessionReport, TablesHaveOneRowPerEntryQuotedWhereCsvNeedsItAndTheSummaryTheSharesPerRound)
{
    EXPECT_EQ(SessionReport::csv_field("Grind N"), "Grind N");
    EXPECT_EQ(SessionReport::csv_field("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(SessionReport::csv_field(" padded"), "\" padded\"");
    EXPECT_EQ(SessionReport::amount(12.4f), "12.4");
    EXPECT_EQ(SessionReport::amount(0.25000003f), "0.25000003");
    const SessionAnalyser session = two_hands();
    const std::string players = SessionReport::players_csv(session);
    EXPECT_EQ(players.substr(0, players.find('\n')), "name,game,round,stake_to_match,active,stake");
    EXPECT_NE(players.find("\n\"Ann, \"\"Jr\"\"\",0,1,6,0,4\n"), std::string::npos) << players;
    EXPECT_EQ(std::count(players.begin(), players.end(), '\n'), 9);
    EXPECT_EQ(SessionReport::rounds_csv(session), "game,round,stake_to_match\n0,0,2\n0,1,6\n0,2,12\n0,3,12\n1,0,2\n");
    EXPECT_EQ(SessionReport::summary_csv(session),
              "name,hands,in_after_hole,in_after_flop,in_after_turn,in_after_river,average_stake\n"
              "\"Ann, \"\"Jr\"\"\",2,1.0000,0.0000,0.0000,0.0000,3.00\n"
              "Bob,2,0.5000,0.5000,0.5000,0.5000,6.50\n");
}

TEST(SessionReport, WriteReplacesTheFilesInADirectoryItCreatesButNotOverAFile)
{
    const corvald_test::TemporaryDirectory dir;
    const fs::path report = dir / "new" / "deeper";
    EXPECT_EQ(SessionReport::check_directory(report.string()), "");
    EXPECT_TRUE(fs::is_empty(report));
    std::ofstream(report / "summary.csv") << "an older, longer report\n\n\n";
    ASSERT_EQ(SessionReport::write(two_hands(), report.string()), "");
    EXPECT_EQ(read_text_file((report / "summary.csv").string()), SessionReport::summary_csv(two_hands()));
    EXPECT_EQ(read_text_file((report / "players.csv").string()), SessionReport::players_csv(two_hands()));
    EXPECT_EQ(std::distance(fs::directory_iterator(report), fs::directory_iterator()), 3);

    std::ofstream(dir / "file") << "x";
    EXPECT_NE(SessionReport::check_directory((dir / "file").string()), "");
    EXPECT_NE(SessionReport::write(two_hands(), (dir / "file").string()), "");
}

// A fault names the file that was not written and the system's reason, and leaves
// neither a temporary file nor a half-replaced set.
TEST(SessionReport, FaultNamesTheFinalFileAndTheReasonAndLeavesTheOldSet)
{
    const corvald_test::TemporaryDirectory dir;
    const fs::path gone = dir / "gone";
    EXPECT_EQ(SessionReport::write(two_hands(), gone.string()),
              "cannot write " + (gone / "players.csv").string() + ": No such file or directory");

    fs::create_directory(dir / "players.csv");
    std::ofstream(dir / "rounds.csv") << "older\n";
    EXPECT_EQ(SessionReport::write(two_hands(), dir.string()),
              "cannot replace " + (dir / "players.csv").string() + ": Is a directory");
    EXPECT_EQ(read_text_file((dir / "rounds.csv").string()), "older\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

// Two writers at once, many times over: each leaves its whole set or waits for the other,
// so the folder always holds one writer's three files, whole.
TEST(SessionReport, TwoWritersAtOnceLeaveOneWholeSet)
{
    const corvald_test::TemporaryDirectory dir;
    // Large enough that the writes overlap in time; the second has other names and rounds.
    SessionAnalyser sessions[2] = {two_hands(), two_hands()};
    for (int copy = 0; copy < 100; ++copy)
        sessions[1].player_entries.push_back({"Cy", 0, 0, 2, true, 4});
    sessions[1].game_entries.resize(2);
    for (int round = 0; round < 40; ++round) {
        pid_t writers[2];
        for (int w = 0; w < 2; ++w)
            if ((writers[w] = ::fork()) == 0)
                ::_exit(SessionReport::write(sessions[w], dir.string()).empty() ? 0 : 1);
        for (const pid_t writer : writers) {
            int status = -1;
            ::waitpid(writer, &status, 0);
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << round;
        }
        const std::string players = read_text_file((dir / "players.csv").string());
        const int w = players == SessionReport::players_csv(sessions[0]) ? 0 : 1;
        ASSERT_EQ(players, SessionReport::players_csv(sessions[w])) << round;
        ASSERT_EQ(read_text_file((dir / "rounds.csv").string()), SessionReport::rounds_csv(sessions[w]));
        ASSERT_EQ(read_text_file((dir / "summary.csv").string()), SessionReport::summary_csv(sessions[w]));
        ASSERT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
    }
}
