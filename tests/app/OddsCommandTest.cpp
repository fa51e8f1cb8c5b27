#include "app/OddsCommand.h"

#include <algorithm>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "app/Corvald.h"
#include "support/ChildProcess.h"
#include "support/RecordingScreen.h"
#include "texas_holdem/ConsoleSequencer.h"

using poker::texas_holdem::Corvald;
using poker::texas_holdem::OddsCommand;

TEST(OddsCommand, FaultsAreNamedOnOneLineWithStatusTwo)
{
    struct Case {
        std::string hole, board, players, fault, hands = "", seed = "";
    };
    for (const Case& c : std::vector<Case>{
             {"ahah", "", "2", "the card ah is given twice"},
             {"ahkd", "qsjsah", "2", "the card ah is given twice"},
             {"Ahkd", "", "2", "HOLE holds \"Ah\", which is no card"},
             {"ahk", "", "2", "HOLE \"ahk\" is not a list of cards"},
             {"ahkdqs", "", "2", "HOLE must be two cards, not 3"},
             {"ahkd", "qsjs", "2", "BOARD must be 0, 3, 4 or 5 cards, not 2"},
             {"ahkd", "qsjsts9s8s7s", "2", "BOARD must be 0, 3, 4 or 5 cards, not 6"},
             {"ahkd", "qsjs1s", "2", "BOARD holds \"1s\", which is no card"},
             {"ahkd", "", "1", "--players must be a whole number from 2 to 16, not \"1\""},
             {"ahkd", "", "17", "--players must be a whole number from 2 to 16, not \"17\""},
             {"ahkd", "", "three", "--players must be a whole number from 2 to 16"},
             {"ahkd", "", "", "--players is required"},
             // Not wrapped round to 4 players, nor to 4294967295 hands, nor unbounded.
             {"ahkd", "", "-4294967292", "--players must be a whole number from 2 to 16"},
             {"ahkd", "", "3", "--hands must be a whole number from 1 to 10000000, not \"-1\"", "-1"},
             {"ahkd", "", "3", "--hands must be", "10000001"},
             {"ahkd", "", "3", "--hands must be", "+5"},
             {"ahkd", "", "3", "--seed must be a whole number from 0 to 4294967295, not \"-1\"", "", "-1"}}) {
        std::ostringstream out, err;
        EXPECT_EQ(OddsCommand::run({c.hole, c.board, c.players, c.hands, c.seed, false}, out, err), 2) << c.fault;
        EXPECT_EQ(out.str(), "");
        const std::string message = err.str();
        EXPECT_NE(message.find(c.fault), std::string::npos) << message;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    }
}

TEST(OddsCommand, BinaryPrintsJsonOrAnAlignedTableAndRejectsBadInput)
{
    const auto result = corvald_test::run_child(
        CORVALD_BINARY, {"odds", "ahkd", "qsjsts", "--players", "3", "--hands", "500", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json.at("board").get<std::string>() + " seed " + json.at("seed").dump(), "qsjsts seed 2");
    const auto& counts = json.at("counts");
    ASSERT_EQ(counts.size(), 3u);
    EXPECT_EQ(counts.front(), 500);
    EXPECT_DOUBLE_EQ(json.at("beat").back().get<double>(), counts.back().get<double>() / 500);

    const auto table = corvald_test::run_child(CORVALD_BINARY, {"odds", "--players", "2", "--hands", "100"});
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_NE(table.out.find("hole random  board none  players 2  hands 100  seed 2\n"), std::string::npos) << table.out;
    EXPECT_NE(table.out.find("\n        0   100.00 %   100.00 %\n"), std::string::npos) << table.out;

    const auto bad = corvald_test::run_child(CORVALD_BINARY, {"odds", "ahah", "--players", "2"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "corvald odds: the card ah is given twice\n");
}

// The table's calculator runs at the blinds and after every step of cards, each run going
// on from where the last left the generator; the command must count the same hands.
TEST(OddsCommand, CountsEqualTheTablesAfterEveryStepOfCards)
{
    // The console source, noting the table calculator's counts each time the driver comes
    // back for cards and at the end: the runs at the blinds and after the hole cards, the
    // flop, the turn and the river.
    struct CountsAtEachStep : poker::texas_holdem::ConsoleSequencer {
        CountsAtEachStep(std::istream& typed, const Corvald& driver) : ConsoleSequencer("1", typed), driver(driver) {}
        std::vector<poker::Card> request_cards(poker::texas_holdem::Game::Round round) override
        {
            runs.push_back(driver.calculator.counts);
            return ConsoleSequencer::request_cards(round);
        }
        void notify_end_game(const poker::texas_holdem::GameHistory& history) override
        {
            runs.push_back(driver.calculator.counts);
            ConsoleSequencer::notify_end_game(history);
        }
        const Corvald& driver;
        std::vector<std::vector<unsigned>> runs;
    };
    const struct {
        std::string players, hole, board;
    } hands[] = {{"3", "ahkd", "qdjdtd9c2s"},
                 {"2", "7c2h", "7d7s2c3h4h"},
                 {"6", "qsqh", "as2d9hjcqd"},
                 {"16", "5c6c", "7c8c9ckhkd"}};
    for (const auto& hand : hands) {
        SCOPED_TRACE(hand.hole);
        corvald_test::RecordingScreen screen;
        const auto& b = hand.board;
        std::istringstream typed(hand.players + " autobet\n" + hand.hole + "\n" + b.substr(0, 6) + "\n" + b.substr(6, 2)
                                 + "\n" + b.substr(8, 2) + "\n\n");
        Corvald driver;
        CountsAtEachStep table(typed, driver);
        driver.go(table);
        ASSERT_EQ(table.runs.size(), 5u);

        const std::size_t board_steps[] = {0, 6, 8, 10};
        for (std::size_t step = 0; step < std::size(board_steps); ++step) {
            OddsCommand::Question q;
            const std::string board = b.substr(0, board_steps[step]);
            ASSERT_EQ(OddsCommand::read({hand.hole, board, hand.players, "", "", false}, q), "");
            const auto counts = OddsCommand::ask(q).counts;
            EXPECT_EQ(std::vector<unsigned>(counts.begin(), counts.end()), table.runs[step + 1]) << step;
        }
    }
}

// The JSON of the first version for a setting of one run (no cards given), value for
// value: the draws, the counts and every figure's digits stay as they were.
TEST(OddsCommand, JsonAsTheFirstVersionPrintedIt)
{
    const std::string expected =
        R"({"hole": null, "board": "", "players": 16, "hands": 50000, "seed": 7, "counts": [50000, 23909, 15796, 11710, 9303, 7650, 6494, 5684, 4989, 4439, 3992, 3645, 3374, 3108, 2875, 2662], "beat": [1, 0.47818, 0.31592, 0.2342, 0.18606, 0.153, 0.12988, 0.11368, 0.09978, 0.08878, 0.07984, 0.0729, 0.06748, 0.06216, 0.0575, 0.05324], "weighted": [1, 0.26571, 0.18458, 0.14372, 0.11965, 0.10312, 0.09156, 0.08346, 0.07651, 0.07101, 0.06654, 0.06307, 0.06036, 0.0577, 0.05537, 0.05324]})";
    std::ostringstream out, err;
    ASSERT_EQ(OddsCommand::run({"", "", "16", "50000", "7", true}, out, err), 0) << err.str();
    EXPECT_EQ(out.str(), nlohmann::ordered_json::parse(expected).dump() + "\n");
}

// --exact prints the cases counted and the chances from them, the same on any number of
// threads, and refuses a count beyond its limit with the number of cases.
TEST(OddsCommand, ExactCountsTheCasesOrNamesTheirNumber)
{
    std::ostringstream one, two, err;
    ASSERT_EQ(OddsCommand::run({"ahkd", "qsjsts2c", "3", "", "", true, true, "1"}, one, err), 0) << err.str();
    ASSERT_EQ(OddsCommand::run({"ahkd", "qsjsts2c", "3", "", "", true, true, "2"}, two, err), 0) << err.str();
    EXPECT_EQ(one.str(), two.str());
    const std::string start =
        R"({"hole":"ahkd","board":"qsjsts2c","players":3,"method":"exact","cases":[46,45540,41122620],"counts":[46,)";
    EXPECT_EQ(one.str().substr(0, start.size()), start);

    std::ostringstream out;
    EXPECT_EQ(OddsCommand::run({"ahkh", "", "3", "", "", false, true, ""}, out, err), 2);
    EXPECT_NE(err.str().find("--exact would count 1896205449600 cases, more than 10000000000; simulate with --hands"),
              std::string::npos)
        << err.str();
}
