#include "app/Corvald.h"

#include <cstdio>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "console/Colour.h"
#include "console/Cursor.h"
#include "console/ScopedConsole.h"
#include "poker/Card.h"
#include "support/ScriptedSequencer.h"
#include "texas_holdem/Calculator.h"
#include "texas_holdem/Game.h"

using corvald_test::cards;
using corvald_test::ScriptedSequencer;
using poker::Card;
using poker::texas_holdem::Calculator;
using poker::texas_holdem::Corvald;
using poker::texas_holdem::Game;
using poker::texas_holdem::print_card;
namespace colour = console::colour;

namespace {

constexpr int hole_col = 18;
constexpr int flop_col = 23;
constexpr int turn_col = 28;
constexpr int river_col = 33;
constexpr int chances_top = 24;
constexpr int match_row = 41;
constexpr int players_top = 43;

// Three players through all four rounds: blinds 1 and 2; P3 and P1 call, P2 checks; on the flop P1 bets 4, P2 folds, P3 calls; P1 and P3 check the
// turn and the river.
ScriptedSequencer hand_to_the_river()
{
    ScriptedSequencer script;
    script.players = {"P1", "P2", "P3"};
    script.blinds = {1, 2};
    script.cards = {cards("ahkd"), cards("2c7d9h"), cards("ts"), cards("2s")};
    script.moves = {0, 0, 0, 4, -1, 0, 0, 0, 0, 0};
    return script;
}

// The rows of chances from row 24 down in `col` that are bright yellow.
std::vector<int> yellow_rows(const console::Surface& screen, int col)
{
    std::vector<int> rows;
    for (int y = chances_top; y < chances_top + 16; ++y)
        if (screen.cell(col, y).attribute == colour::bright_yellow)
            rows.push_back(y);
    return rows;
}

// The 4 x 16 block of chances in `col`, as text.
std::string chances(const console::Surface& screen, int col)
{
    std::string text;
    for (int y = chances_top; y < chances_top + 16; ++y)
        text += screen.text(col, y, 4) + "|";
    return text;
}

bool run_is(const console::Surface& screen, int x, int y, unsigned short attribute, int length = 4)
{
    for (int i = 0; i < length; ++i)
        if (screen.cell(x + i, y).attribute != attribute)
            return false;
    return true;
}

// What the view must show for a probability, worked out here from the definition.
std::string percentage(double probability)
{
    char text[8];
    std::snprintf(text, sizeof text, "%3d%%", static_cast<int>(probability * 100 + 0.5));
    return text;
}

} // namespace

TEST(TableView, AmountIsTheWholePartInFourCharactersOrXXXX)
{
    console::ScopedConsole scope;
    Corvald driver;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<std::pair<float, std::string>> cases = {
        {12.75f, "  12"}, {9999.9f, "9999"}, {10000.0f, "XXXX"}, {-0.5f, "   0"},
        {-1.0f, "XXXX"},  {0.0f, "   0"},    {0.99f, "   0"},    {5.0f, "   5"},
        {nan, "XXXX"},    {inf, "XXXX"},     {-inf, "XXXX"},     {3e9f, "XXXX"},
        {-3e9f, "XXXX"},  {std::numeric_limits<float>::max(), "XXXX"},
        {std::numeric_limits<float>::lowest(), "XXXX"}};
    for (const auto& [amount, text] : cases) {
        scope.console.fill_character(0, 0, '#', 8);
        console::Cursor::position(0, 0);
        driver.print_number(amount);
        EXPECT_EQ(scope.screen.text(0, 0, 5), text + "#") << amount;
    }
}

TEST(TableView, ProbabilityIsARoundedPercentageInFourCharactersOrXXXX)
{
    console::ScopedConsole scope;
    Corvald driver;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<std::pair<double, std::string>> cases = {
        {1.0, "100%"},  {0.5, " 50%"},  {0.125, " 13%"},  {0.0, "  0%"},   {1.5, "XXXX"},
        {-0.1, "XXXX"}, {nan, "XXXX"},  {0.994, " 99%"},  {0.004, "  0%"}, {1.0000001, "XXXX"},
        {std::numeric_limits<double>::infinity(), "XXXX"}, {0.07, "  7%"}};
    for (const auto& [probability, text] : cases) {
        scope.console.fill_character(0, 0, '#', 8);
        console::Cursor::position(0, 0);
        driver.print_percentage(probability);
        EXPECT_EQ(scope.screen.text(0, 0, 5), text + "#") << probability;
    }
}

TEST(TableView, RoundColumnIsTheColumnOfTheRoundsCards)
{
    Corvald driver;
    const std::map<int, int> columns = {{Game::hole, 18}, {Game::flop, 23}, {Game::turn, 28},
                                        {Game::river, 33}, {Game::showdown, 0}, {7, 0}};
    for (const auto& [round, column] : columns) {
        driver.game.round = static_cast<Game::Round>(round);
        EXPECT_EQ(driver.round_col(), column) << round;
    }
}

TEST(TableView, PrintCardPlacesCardsFiveCellsApartInsideTheMargin)
{
    console::ScopedConsole scope;
    print_card(17, 7, 1, 2, Card(12, Card::spades));
    const auto& screen = scope.screen;
    EXPECT_EQ(screen.cell(23, 18).ch, 'A');
    EXPECT_EQ(screen.cell(26, 21).ch, 'A');
    EXPECT_EQ(screen.cell(23, 18).attribute, colour::card_face);
    EXPECT_EQ(screen.cell(26, 21).attribute, colour::card_face);
    for (const auto& [x, y] : std::vector<std::pair<int, int>>{{22, 18}, {27, 18}, {23, 17}, {23, 22}})
        EXPECT_NE(screen.cell(x, y).attribute, colour::card_face) << x << "," << y;

    print_card(0, 0, 0, 0, Card());
    EXPECT_EQ(screen.cell(1, 1).attribute, colour::card_back);
    EXPECT_NE(screen.cell(0, 0).attribute, colour::card_back);
}

TEST(TableView, NameFieldIsSixteenWideAndALongerNamePushesTheMarker)
{
    console::ScopedConsole scope;
    const std::string sixteen = "ABCDEFGHIJKLMNOP";
    const std::string seventeen = "ABCDEFGHIJKLMNOPQ";
    ScriptedSequencer script;
    script.players = {sixteen, seventeen, "x"};
    script.blinds = {1, 2};
    script.cards = {cards("ahkd")};
    script.moves = {-1, -1};
    std::map<std::string, std::vector<std::string>> rows;
    script.on_request = [&](const std::string& call) {
        for (int i = 0; i < 3; ++i)
            rows[call].push_back(scope.screen.text(0, players_top + i, 20));
    };
    Corvald driver;
    driver.go(script);

    const auto& first_blind = rows["blind " + sixteen];
    EXPECT_EQ(first_blind[0], " " + sixteen + "*  ");
    EXPECT_EQ(first_blind[1], " " + seventeen + "  ");
    EXPECT_EQ(first_blind[2], std::string(16, ' ') + "x   ");
    // Pushed into the stake column, the marker is written over by the stake.
    EXPECT_EQ(rows["blind " + seventeen][1], " " + seventeen + "  ");
    EXPECT_EQ(rows["blind " + seventeen][0], " " + sixteen + "   ");
}

TEST(TableViewInHand, EachRoundWritesUnderItsOwnCards)
{
    console::ScopedConsole scope;
    ScriptedSequencer script = hand_to_the_river();
    std::string hole_chances_when_flop_asked;
    std::map<std::string, std::string> at_end;
    script.on_request = [&](const std::string& call) {
        const auto& screen = scope.screen;
        if (call == "cards flop")
            hole_chances_when_flop_asked = chances(screen, hole_col);
        if (call != "end")
            return;
        EXPECT_EQ(chances(screen, hole_col), hole_chances_when_flop_asked);
        for (int col : {hole_col, flop_col, turn_col, river_col}) {
            EXPECT_EQ(screen.text(col, chances_top, 4), "100%") << col;
            EXPECT_TRUE(run_is(screen, col, match_row, colour::dark_green)) << col;
        }
        EXPECT_EQ(screen.text(hole_col, match_row, 4), "   2");
        EXPECT_EQ(screen.text(flop_col, match_row, 4), "   6");
        EXPECT_EQ(screen.text(river_col, match_row, 4), "   6");
        // P1 bet on the flop; P2 stayed at the big blind.
        EXPECT_EQ(screen.text(hole_col, players_top, 4), "   2");
        EXPECT_EQ(screen.text(flop_col, players_top, 4), "   6");
        EXPECT_EQ(screen.text(flop_col, players_top + 1, 4), "   2");
        // The chances against two opponents moved once the cards were known.
        EXPECT_NE(screen.text(hole_col, chances_top + 2, 4), screen.text(river_col, chances_top + 2, 4));

        // The seven cards in their places: hole cards stacked, flop, turn, river.
        EXPECT_EQ(screen.cell(18, 8).ch, 'A');
        EXPECT_EQ(screen.cell(18, 8).attribute, colour::card_face_red);
        EXPECT_EQ(screen.cell(18, 13).ch, 'K');
        EXPECT_EQ(screen.cell(23, 8).ch, '2');
        EXPECT_EQ(screen.cell(23, 8).attribute, colour::card_face);
        EXPECT_EQ(screen.cell(23, 13).ch, '7');
        EXPECT_EQ(screen.cell(23, 18).ch, '9');
        EXPECT_EQ(screen.text(28, 8, 2), "10");
        EXPECT_EQ(screen.cell(33, 8).ch, '2');
        // Felt between the places.
        EXPECT_EQ(screen.cell(17, 7).attribute, colour::table_green);
        EXPECT_EQ(screen.cell(37, 22).attribute, colour::table_green);
        EXPECT_EQ(screen.cell(22, 8).attribute, colour::table_green);
        at_end["seen"] = "yes";
    };
    Corvald driver;
    driver.go(script);
    EXPECT_EQ(at_end["seen"], "yes");
}

TEST(TableViewInHand, CardPlacesShowBacksUntilTheirCardsAreEntered)
{
    console::ScopedConsole scope;
    ScriptedSequencer script = hand_to_the_river();
    std::map<std::string, std::vector<unsigned short>> places;
    script.on_request = [&](const std::string& call) {
        for (const auto& [x, y] : std::vector<std::pair<int, int>>{{18, 8}, {23, 8}, {28, 8}, {33, 8}})
            places[call].push_back(scope.screen.cell(x, y).attribute);
    };
    Corvald driver;
    driver.go(script);
    using V = std::vector<unsigned short>;
    const auto back = colour::card_back;
    EXPECT_EQ(places["blind P1"], (V{back, back, back, back}));
    EXPECT_EQ(places["cards flop"], (V{colour::card_face_red, back, back, back}));
    EXPECT_EQ(places["cards river"], (V{colour::card_face_red, colour::card_face, colour::card_face, back}));
}

TEST(TableViewInHand, ChancesBeforeTheHoleCardsAreThoseOfARandomHand)
{
    console::ScopedConsole scope;
    ScriptedSequencer script = hand_to_the_river();
    std::string shown;
    script.on_request = [&](const std::string& call) {
        if (call == "blind P1")
            shown = chances(scope.screen, hole_col);
    };
    Corvald driver;
    driver.go(script);

    Calculator reference;
    reference.setup(2);
    reference.simulate_hands(Corvald::simulated_hands);
    std::string expected;
    for (unsigned k = 0; k < 16; ++k)
        expected += (k <= 2 ? percentage(reference.probability(k, 0.5)) : "    ") + "|";
    EXPECT_EQ(shown, expected);
}

TEST(TableViewInHand, YellowRowMovesUpWithEachFoldWhileTheChancesStay)
{
    console::ScopedConsole scope;
    ScriptedSequencer script;
    script.players = {"P1", "P2", "P3", "P4", "P5"};
    script.blinds = {1, 2};
    script.cards = {cards("qsqd"), cards("2c7d9h"), cards("ts"), cards("2s")};
    // Hole: P3 and P4 fold, P5 calls, P1 folds, P2 checks; then P2 and P5 check through.
    script.moves = {-1, -1, 0, -1, 0, 0, 0, 0, 0, 0, 0};
    std::vector<std::vector<int>> yellow;
    std::vector<std::string> hole_chances;
    script.on_request = [&](const std::string& call) {
        if (call.rfind("move", 0) == 0 && yellow.size() < 5) {
            yellow.push_back(yellow_rows(scope.screen, hole_col));
            hole_chances.push_back(chances(scope.screen, hole_col));
        }
    };
    Corvald driver;
    driver.go(script);

    // Five players in: four opponents, row 28. Every fold takes it up a row.
    const std::vector<std::vector<int>> expected = {{28}, {27}, {26}, {26}, {25}};
    EXPECT_EQ(yellow, expected);
    for (const std::string& shown : hole_chances)
        EXPECT_EQ(shown, hole_chances.front());
    // The other chance rows of the players are white.
    EXPECT_TRUE(run_is(scope.screen, flop_col, 24, colour::white));
    EXPECT_TRUE(run_is(scope.screen, flop_col, 28, colour::white));
}

TEST(TableViewInHand, FoldedStakeIsRedFromTheRoundOfTheFoldOn)
{
    console::ScopedConsole scope;
    ScriptedSequencer script = hand_to_the_river();
    bool checked = false;
    script.on_request = [&](const std::string& call) {
        const auto& screen = scope.screen;
        const int p2 = players_top + 1;
        if (call == "move P3" && screen.text(flop_col, match_row, 4) == "   6") {
            // Flop, just after P2's fold.
            EXPECT_TRUE(run_is(screen, flop_col, p2, colour::bright_red));
            EXPECT_TRUE(run_is(screen, hole_col, p2, colour::white));
        }
        if (call != "end")
            return;
        for (int col : {flop_col, turn_col, river_col}) {
            EXPECT_TRUE(run_is(screen, col, p2, colour::bright_red)) << col;
            EXPECT_TRUE(run_is(screen, col, players_top, colour::white)) << col;
            EXPECT_TRUE(run_is(screen, col, players_top + 2, colour::white)) << col;
        }
        EXPECT_TRUE(run_is(screen, hole_col, p2, colour::white));
        checked = true;
    };
    Corvald driver;
    driver.go(script);
    EXPECT_TRUE(checked);
}

TEST(TableViewInHand, TurnMarkerOnlyWhileAPlayerIsToAct)
{
    console::ScopedConsole scope;
    ScriptedSequencer script = hand_to_the_river();
    int checks = 0;
    script.on_request = [&](const std::string& call) {
        std::string markers;
        for (int y = players_top; y < players_top + 16; ++y)
            markers += scope.screen.cell(17, y).ch;
        if (call.rfind("cards", 0) == 0 || call == "new game 16") {
            EXPECT_EQ(markers.find('*'), std::string::npos) << call;
        } else if (call != "end") {
            // "move P3", "blind P1": the marker stands in that player's row alone.
            const int player = call.back() - '1';
            std::string expected(16, ' ');
            expected[static_cast<std::size_t>(player)] = '*';
            EXPECT_EQ(markers.substr(0, 3), expected.substr(0, 3)) << call;
        }
        ++checks;
    };
    Corvald driver;
    driver.go(script);
    EXPECT_EQ(checks, 18);
}

TEST(TableViewInHand, RowsBeyondThePlayersAreBlanked)
{
    console::ScopedConsole scope;
    for (int y = 24; y < 60; ++y)
        scope.console.fill_character(0, y, '#', 41);
    ScriptedSequencer script = hand_to_the_river();
    bool checked = false;
    script.on_request = [&](const std::string& call) {
        if (call != "blind P1")
            return;
        const auto& screen = scope.screen;
        EXPECT_EQ(screen.text(0, players_top, 18), "#              P1*");
        for (int y = chances_top + 3; y < chances_top + 16; ++y)
            EXPECT_EQ(screen.text(hole_col, y, 5), "    #") << y;
        for (int y = players_top + 3; y < players_top + 16; ++y) {
            EXPECT_EQ(screen.text(1, y, 6), "     #") << y;
            EXPECT_EQ(screen.text(hole_col, y, 6), "     #") << y;
        }
        // Nothing is written below the sixteenth player row.
        EXPECT_EQ(screen.text(0, 59, 41), std::string(41, '#'));
        checked = true;
    };
    Corvald driver;
    driver.go(script);
    EXPECT_TRUE(checked);
}

TEST(HandDriver, AsksForTheEventsInTheOrderOfAHand)
{
    console::ScopedConsole scope;
    ScriptedSequencer script = hand_to_the_river();
    Corvald driver;
    driver.go(script);
    const std::vector<std::string> expected = {
        "new game 16", "blind P1",   "blind P2", "cards hole",  "move P3", "move P1",
        "move P2",     "cards flop", "move P1",  "move P2",     "move P3", "cards turn",
        "move P1",     "move P3",    "cards river", "move P1",  "move P3", "end"};
    EXPECT_EQ(script.calls, expected);
    EXPECT_EQ(script.final_history.cards.size(), 7u);
}

TEST(HandDriver, FoldsBeforeTheFlopEndTheHandWithoutMoreCards)
{
    console::ScopedConsole scope;
    ScriptedSequencer script;
    script.players = {"P1", "P2", "P3"};
    script.blinds = {1, 2};
    script.cards = {cards("ahkd")};
    script.moves = {-1, -1};
    Corvald driver;
    driver.go(script);
    const std::vector<std::string> expected = {"new game 16", "blind P1", "blind P2", "cards hole",
                                               "move P3",     "move P1",  "end"};
    EXPECT_EQ(script.calls, expected);
    EXPECT_EQ(driver.game.round, Game::showdown);
}

TEST(HandDriver, NegativeMoveFoldsZeroCallsAndPositiveRaisesByThatMuch)
{
    console::ScopedConsole scope;
    ScriptedSequencer script;
    script.players = {"P1", "P2", "P3"};
    script.blinds = {1, 2};
    script.cards = {cards("ahkd"), cards("2c7d9h")};
    // Hole: P3 raises 2.5, P1 folds, P2 calls. Flop: P2 folds.
    script.moves = {2.5f, -1, 0, -1};
    Corvald driver;
    driver.go(script);
    EXPECT_EQ(script.final_history.player_stakes[2].back(), 4.5f);
    EXPECT_EQ(script.final_history.player_stakes[1].back(), 4.5f);
    EXPECT_EQ(script.final_history.player_stakes[0].back(), 1.0f);
    EXPECT_EQ(driver.game.folded, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(script.calls.back(), "end");
}

TEST(HandDriver, LonePlayerPostsBothBlindsAndTheHandEndsAfterHisCards)
{
    console::ScopedConsole scope;
    ScriptedSequencer script;
    script.players = {"P1"};
    script.blinds = {1, 2};
    script.cards = {cards("ahkd")};
    Corvald driver;
    driver.go(script);
    const std::vector<std::string> expected = {"new game 16", "blind P1", "blind P1", "cards hole",
                                               "end"};
    EXPECT_EQ(script.calls, expected);
    EXPECT_EQ(scope.screen.text(hole_col, chances_top, 4), "100%");
    EXPECT_EQ(scope.screen.text(hole_col, chances_top + 1, 4), "    ");
}

TEST(HandDriver, SameEventsGiveTheSameChancesInEveryHand)
{
    console::ScopedConsole scope;
    std::vector<std::vector<unsigned>> counts;
    for (int hand = 0; hand < 2; ++hand) {
        ScriptedSequencer script = hand_to_the_river();
        Corvald driver;
        driver.go(script);
        counts.push_back(driver.calculator.counts);
    }
    ASSERT_EQ(counts[0].size(), 3u);
    EXPECT_EQ(counts[0][0], Corvald::simulated_hands);
    EXPECT_EQ(counts[0], counts[1]);
}

TEST(HandDriver, DestructionBlanksTheTableAreaAndNothingElse)
{
    console::ScopedConsole scope;
    auto& cells = scope.console;
    for (int y = 0; y < 60; ++y) {
        cells.fill_attribute(0, y, 0x77, 58);
        cells.fill_character(0, y, 'z', 58);
    }
    {
        Corvald driver;
    }
    const auto& screen = scope.screen;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 58; ++x) {
            const bool table_area = y >= 7 && y <= 57 && x >= 1 && x <= 39;
            EXPECT_EQ(screen.cell(x, y).attribute, table_area ? colour::invisible : 0x77)
                << x << "," << y;
            EXPECT_EQ(screen.cell(x, y).ch, 'z') << x << "," << y;
        }
    }
}

// A source that breaks its contract: one hole card.
void play_hand_with_one_hole_card()
{
    console::ScopedConsole scope;
    ScriptedSequencer script;
    script.players = {"P1", "P2"};
    script.blinds = {1, 2};
    script.cards = {cards("ah")};
    script.moves = {-1};
    Corvald driver;
    driver.go(script);
    EXPECT_EQ(driver.calculator.user_cards[1], Card());
    EXPECT_EQ(script.calls.back(), "end");
}

// A source that breaks its contract: nobody plays.
void play_hand_without_players()
{
    console::ScopedConsole scope;
    ScriptedSequencer script;
    Corvald driver;
    driver.go(script);
    EXPECT_EQ(script.calls, std::vector<std::string>{"new game 16"});
}

// Assertions stop both; without them the missing card is unknown (dealt at random) and
// the hand without players is not played.
TEST(HandDriverDeathTest, ShortCardListNeverReachesTheCalculator)
{
    EXPECT_DEBUG_DEATH(play_hand_with_one_hole_card(), "");
}

TEST(HandDriverDeathTest, HandWithoutPlayersIsNotPlayed)
{
    EXPECT_DEBUG_DEATH(play_hand_without_players(), "");
}
