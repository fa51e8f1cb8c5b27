#include "app/StatsCommand.h"

#include <sstream>
#include <tuple>

#include <boost/algorithm/string/replace.hpp>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/ChildProcess.h"
#include "support/HandRecordBuilder.h"
#include "support/ReplayHarness.h"
#include "support/ScreenPicture.h"

namespace poker::texas_holdem {
namespace {

using test::HandRecordBuilder;
using Kind = HandRecordBuilder::Kind;

const std::string shared_histories = corvald_test::shared_hand_histories() + "/current";

using corvald_test::matches_golden;
using Outcome = corvald_test::ChildResult;

Outcome run(StatsCommand::Options options)
{
    std::ostringstream out, err;
    const int status = StatsCommand::run(options, out, err);
    return {status, out.str(), err.str()};
}

TEST(StatsCommand, OneThreadOrTwoGiveTheSameOutputAndFiles)
{
    CORVALD_SKIP_WITHOUT(shared_histories);
    StatsCommand::Options options;
    options.paths = {shared_histories};
    options.format = StatsCommand::Format::json;
    const corvald_test::TemporaryDirectory out;
    options.out_directory = out.string();
    const Outcome one = run(options);
    const std::string results = corvald_test::read_text_file(options.out_directory + "/results.csv");
    const std::string chart = corvald_test::read_text_file(options.out_directory + "/results.svg");
    options.jobs = 2;
    const Outcome two = run(options);
    EXPECT_EQ(one.out, two.out);
    EXPECT_EQ(one.err, two.err);
    EXPECT_EQ(results, corvald_test::read_text_file(options.out_directory + "/results.csv"));
    EXPECT_EQ(chart, corvald_test::read_text_file(options.out_directory + "/results.svg"));
    // Two of the shared files hold a faulty hand (one edited, one cut short).
    EXPECT_EQ(one.status, StatsCommand::skipped_hands_status);
    EXPECT_NE(one.err.find("AnteTable.txt: line 29: Pot mismatch"), std::string::npos) << one.err;
    EXPECT_GT(nlohmann::json::parse(one.out).at("hands").get<int>(), 1000);
    // Every player's figures and the hero's results and chart. The hands, VPIP and PFR of
    // all 634 players were checked against a count of the files' lines made apart.
    EXPECT_TRUE(matches_golden(corvald_test::read_text_file(options.out_directory + "/players.csv"),
                               "app/golden/StatsPlayers"));
    EXPECT_TRUE(matches_golden(boost::algorithm::replace_all_copy(results, shared_histories + "/", ""),
                               "app/golden/StatsResults"));
    EXPECT_TRUE(matches_golden(chart, "app/golden/StatsChart"));
}

TEST(StatsCommand, AFileGivenTwiceCountsOnce)
{
    CORVALD_SKIP_WITHOUT(shared_histories);
    const std::string file = shared_histories + "/jkt3000/hands1.txt";
    StatsCommand::Options options;
    options.paths = {file};
    options.format = StatsCommand::Format::csv;
    const Outcome once = run(options);
    options.paths = {file, file};
    const Outcome twice = run(options);
    EXPECT_EQ(once.status, 0);
    EXPECT_EQ(once.out, twice.out);
    EXPECT_NE(twice.err.find("met again and counted once"), std::string::npos) << twice.err;
    options.format = StatsCommand::Format::table;
    EXPECT_EQ(run(options).out.find("player,"), std::string::npos); // the table alone, no CSV after it
}

TEST(StatsCommand, OlderFormHandsAreCountedWithoutResults)
{
    CORVALD_SKIP_WITHOUT(shared_histories);
    StatsCommand::Options options;
    options.paths = {shared_histories + "/../valid-headsup-crlf.txt"};
    options.format = StatsCommand::Format::json;
    const Outcome outcome = run(options);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    const nlohmann::json json = nlohmann::json::parse(outcome.out);
    EXPECT_EQ(json.at("hands"), 30);
    EXPECT_EQ(json.at("hero"), ""); // the older form names nobody's cards
    EXPECT_EQ(outcome.err, "Read 30 hands from 1 files, skipped 0\n");
}

TEST(StatsCommand, MissingPathIsUnusableInput)
{
    StatsCommand::Options options;
    options.paths = {shared_histories + "/no-such-file.txt"};
    const Outcome outcome = run(options);
    EXPECT_EQ(outcome.status, StatsCommand::unusable_input_status);
    EXPECT_NE(outcome.err.find("cannot read"), std::string::npos);
}

TEST(StatsCommand, NamesWithQuotesBackslashesAndOtherLettersStayIntact)
{
    const std::string quoted = "Arthur\"Celt\" \\o/", accented = "Túróscsusza, Jr", broken = "D\xFCss";
    StatsCollector stats;
    // clang-format off
    stats.players.add(HandRecordBuilder("1").seat(quoted).seat(accented).seat(broken)
                          .act(quoted, Kind::small_blind, 50).act(accented, Kind::big_blind, 100)
                          .act(broken, Kind::fold).act(quoted, Kind::fold)
                          .act(accented, Kind::uncalled, 50).collect(accented, 100).build());
    // clang-format on
    const nlohmann::json json = nlohmann::json::parse(StatsCommand::json(stats, 1));
    std::set<std::string> names;
    for (const auto& player : json.at("players"))
        names.insert(player.at("name").get<std::string>());
    EXPECT_EQ(names, (std::set<std::string>{quoted, accented, "D\xEF\xBF\xBDss"}));
    const std::string csv = StatsCommand::csv(stats, 1);
    EXPECT_NE(csv.find("\n\"Arthur\"\"Celt\"\" \\o/\",1,"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\n\"Túróscsusza, Jr\",1,"), std::string::npos) << csv;
}

// A cancelled hand is nobody's; a hand met again counts once, also one whose number is kept
// as text (a leading zero); the totals add up over the files.
TEST(StatsCommand, CancelledAndRepeatedHandsAreCountedApartOverTheFiles)
{
    const std::string file = corvald_test::replay_data_path("cancelled-then-walk.txt");
    StatsCollector stats;
    stats.run({file, file}, {});
    EXPECT_EQ(std::tuple(stats.hands, stats.repeated, stats.cancelled), std::tuple(1u, 1u, 2u));
    EXPECT_EQ(stats.players.players().at("Amy").hands, 1u);
    // Followed by name, Billy's result is his own: the small blind he lost.
    stats = {};
    stats.run({file}, {"Billy"});
    ASSERT_EQ(stats.results.rows().size(), 1u);
    EXPECT_EQ(stats.results.rows()[0].net, -500);
}

} // namespace
} // namespace poker::texas_holdem
