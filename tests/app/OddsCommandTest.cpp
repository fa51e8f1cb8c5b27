#include "app/OddsCommand.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <gtest/gtest.h>

#include "poker/Hand.h"
#include "support/CardText.h"
#include "support/ChildProcess.h"

using poker::Card;
using poker::Hand;
using poker::test::cards;
using poker::texas_holdem::OddsCommand;

namespace {

// The opponent holdings (pairs of the cards not in `known`) that `hole` on the complete
// `board` beats strictly.
struct Holdings {
    std::vector<std::pair<Card, Card>> all;
    std::vector<std::pair<Card, Card>> beaten;
};

Holdings holdings(const std::vector<Card>& hole, const std::vector<Card>& board)
{
    std::vector<Card> known = hole;
    known.insert(known.end(), board.begin(), board.end());
    std::vector<Card> rest;
    for (unsigned i = 0; i < Card::no_cards; ++i) {
        const Card card = Card::from_index(i);
        if (std::find(known.begin(), known.end(), card) == known.end())
            rest.push_back(card);
    }
    const Hand user = Hand::best_hand(known);
    Holdings result;
    std::vector<Card> seven = known;
    for (std::size_t a = 0; a < rest.size(); ++a) {
        for (std::size_t b = a + 1; b < rest.size(); ++b) {
            seven[0] = rest[a];
            seven[1] = rest[b];
            result.all.emplace_back(rest[a], rest[b]);
            if (Hand::best_hand(seven) < user)
                result.beaten.emplace_back(rest[a], rest[b]);
        }
    }
    return result;
}

bool disjoint(const std::pair<Card, Card>& x, const std::pair<Card, Card>& y)
{
    return x.first != y.first && x.first != y.second && x.second != y.first && x.second != y.second;
}

// Four standard errors of a share p estimated from n independent hands.
double tolerance(double p, double n)
{
    return 4.0 * std::sqrt(p * (1.0 - p) / n);
}

OddsCommand::Answer ask(const std::string& hole, const std::string& board, unsigned players,
                        unsigned hands)
{
    OddsCommand::Arguments arguments;
    arguments.hole = hole;
    arguments.board = board;
    arguments.players = std::to_string(players);
    arguments.hands = std::to_string(hands);
    OddsCommand::Question question;
    EXPECT_EQ(OddsCommand::read(arguments, question), "");
    return OddsCommand::ask(question);
}

} // namespace

// The river is dealt in every simulated hand; enumerated, it is one of 46 cards and the
// opponent's holding one of the 990 pairs of the 45 cards left.
TEST(OddsCommand, TurnChanceAgreesWithExactEnumeration)
{
    const auto hole = cards("ahkh");
    const auto turn_board = cards("qh7c2d9h");
    double wins = 0;
    double total = 0;
    for (unsigned i = 0; i < Card::no_cards; ++i) {
        const Card river = Card::from_index(i);
        if (std::find(hole.begin(), hole.end(), river) != hole.end()
            || std::find(turn_board.begin(), turn_board.end(), river) != turn_board.end())
            continue;
        std::vector<Card> board = turn_board;
        board.push_back(river);
        const Holdings h = holdings(hole, board);
        wins += static_cast<double>(h.beaten.size());
        total += static_cast<double>(h.all.size());
    }
    const double exact = wins / total;

    const unsigned n = 20000;
    const auto answer = ask("ahkh", "qh7c2d9h", 2, n);
    ASSERT_EQ(answer.counts[0], n);
    EXPECT_NEAR(answer.beat[1], exact, tolerance(exact, n));
}

// Two opponents on the river: they are beaten both when their holdings are two disjoint
// beaten pairs, out of all ordered pairs of disjoint holdings.
TEST(OddsCommand, RiverChancesAgreeWithExactEnumeration)
{
    const Holdings h = holdings(cards("tsth"), cards("td9s8c3h2d"));
    const double beat_one = static_cast<double>(h.beaten.size()) / static_cast<double>(h.all.size());
    double both = 0;
    for (const auto& x : h.beaten)
        for (const auto& y : h.beaten)
            both += disjoint(x, y) ? 1 : 0;
    // 45 cards left: every holding leaves 43 cards, so C(43, 2) holdings for the second.
    const double beat_two = both / (static_cast<double>(h.all.size()) * (43.0 * 42.0 / 2.0));

    const unsigned n = 20000;
    const auto answer = ask("tsth", "td9s8c3h2d", 3, n);
    EXPECT_NEAR(answer.beat[1], beat_one, tolerance(beat_one, n));
    EXPECT_NEAR(answer.beat[2], beat_two, tolerance(beat_two, n));
    // The table's figure blends beating k opponents with beating all, half and half.
    EXPECT_DOUBLE_EQ(answer.weighted[1], 0.5 * answer.beat[2] + 0.5 * answer.beat[1]);
    EXPECT_DOUBLE_EQ(answer.weighted[0], 1.0);
}

TEST(OddsCommand, DefaultsAreTheLiveTablesSeedAndHandCount)
{
    OddsCommand::Arguments arguments;
    arguments.players = "4";
    OddsCommand::Question question;
    ASSERT_EQ(OddsCommand::read(arguments, question), "");
    EXPECT_EQ(question.seed, 2u);
    EXPECT_EQ(question.hands, 10000u);
    EXPECT_TRUE(question.hole.empty());
    // The same question gives the same counts: the run is seeded.
    EXPECT_EQ(OddsCommand::ask(question).counts, OddsCommand::ask(question).counts);
}

TEST(OddsCommand, FaultsAreNamedOnOneLineWithStatusTwo)
{
    struct Case {
        std::string hole, board, players, fault;
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
             {"ahkd", "", "", "--players is required"}}) {
        OddsCommand::Arguments arguments;
        arguments.hole = c.hole;
        arguments.board = c.board;
        arguments.players = c.players;
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(OddsCommand::run(arguments, out, err), 2) << c.fault;
        EXPECT_EQ(out.str(), "");
        const std::string message = err.str();
        EXPECT_NE(message.find(c.fault), std::string::npos) << message;
        EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    }
}

TEST(OddsCommand, BinaryPrintsJsonWithInputsCountsAndBothColumns)
{
    const auto result = corvald_test::run_child(
        CORVALD_BINARY, {"odds", "ahkd", "qsjsts", "--players", "3", "--hands", "500", "--json"});
    ASSERT_EQ(result.status, 0) << result.err;
    boost::property_tree::ptree json;
    std::istringstream text(result.out);
    boost::property_tree::read_json(text, json);
    EXPECT_EQ(json.get<std::string>("hole"), "ahkd");
    EXPECT_EQ(json.get<std::string>("board"), "qsjsts");
    EXPECT_EQ(json.get<unsigned>("players"), 3u);
    EXPECT_EQ(json.get<unsigned>("hands"), 500u);
    EXPECT_EQ(json.get<unsigned>("seed"), 2u);
    std::vector<double> counts;
    for (const auto& item : json.get_child("counts"))
        counts.push_back(item.second.get_value<double>());
    ASSERT_EQ(counts.size(), 3u);
    EXPECT_EQ(counts[0], 500);
    std::vector<double> beat;
    for (const auto& item : json.get_child("beat"))
        beat.push_back(item.second.get_value<double>());
    ASSERT_EQ(beat.size(), 3u);
    EXPECT_DOUBLE_EQ(beat[2], counts[2] / counts[0]);
    EXPECT_EQ(json.get_child("weighted").size(), 3u);
}

TEST(OddsCommand, BinaryPrintsAnAlignedTableAndRejectsBadInput)
{
    const auto table = corvald_test::run_child(CORVALD_BINARY, {"odds", "--players", "2", "--hands", "100"});
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_NE(table.out.find("hole random  board none  players 2  hands 100  seed 2\n"), std::string::npos)
        << table.out;
    EXPECT_NE(table.out.find("\n        0   100.00 %   100.00 %\n"), std::string::npos) << table.out;

    const auto bad = corvald_test::run_child(CORVALD_BINARY, {"odds", "ahah", "--players", "2"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "corvald odds: the card ah is given twice\n");
}
