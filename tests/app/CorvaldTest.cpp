#include "app/Corvald.h"

#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "console/Colour.h"
#include "console/Cursor.h"
#include "console/ScopedConsole.h"
#include "poker/Card.h"
#include "support/RecordingScreen.h"
#include "texas_holdem/Calculator.h"
#include "texas_holdem/ConsoleSequencer.h"
#include "texas_holdem/Game.h"

using corvald_test::RecordingScreen;
using corvald_test::Shot;
using poker::Card;
using poker::texas_holdem::Calculator;
using poker::texas_holdem::ConsoleSequencer;
using poker::texas_holdem::Corvald;
using poker::texas_holdem::Game;
using poker::texas_holdem::print_card;
using Surface = console::Surface;
using Cells = std::vector<std::pair<int, int>>;
namespace colour = console::colour;

namespace {

constexpr int round_cols[] = {18, 23, 28, 33};  // hole, flop, turn, river
constexpr int hole_col = 18;
constexpr int flop_col = 23;
constexpr int chances_top = 24;
constexpr int match_row = 41;
constexpr int players_top = 43;
const std::string move_q = "Enter bet <raise>, c or f for P";
const std::string end_q = "Hit enter for a new game";

// Three players to the river: blinds 1 and 2; P3 and P1 call, P2 checks; on the flop P1
// bets 4, P2 folds, P3 calls; P1 and P3 check the turn and the river.
const std::string hand_to_the_river =
    "3\n1\n2\nahkd\nc\nc\nc\n2c7d9h\n4\nf\nc\nts\nc\nc\n2s\nc\nc\n\n";

// The console source, but seating `names` and handing over `hole` as the hole cards when
// they are set: what other sources may do, within their contract or not.
class Source : public ConsoleSequencer {
public:
    using ConsoleSequencer::ConsoleSequencer;
    NewGame request_new_game(unsigned max) override
    {
        return names ? NewGame{*names, "", ""} : ConsoleSequencer::request_new_game(max);
    }
    std::vector<Card> request_cards(Game::Round round) override
    {
        return round == Game::hole && hole ? *hole : ConsoleSequencer::request_cards(round);
    }

    std::optional<std::vector<std::string>> names;
    std::optional<std::vector<Card>> hole;
};

// Plays one hand typed at the console on a fresh screen (`setup` may change the source
// and the screen first); returns the screen at every question.
std::vector<Shot> play(const std::string& typed,
                       const std::function<void(Source&, console::MemoryConsole&)>& setup = {})
{
    RecordingScreen screen;
    std::istringstream input(typed);
    Source source("1", input);
    if (setup)
        setup(source, screen.console);
    Corvald driver;
    driver.go(source);
    return screen.shots;
}

// The screen at the `nth` showing of `prompt`.
const Surface& shot(const std::vector<Shot>& shots, const std::string& prompt, int nth = 0)
{
    for (const Shot& shot : shots)
        if (shot.prompt == prompt && nth-- == 0)
            return shot.screen;
    ADD_FAILURE() << "never asked: " << prompt;
    static const Surface blank;
    return blank;
}

// The 16 rows of chances in `col`, as text.
std::string chances(const Surface& screen, int col)
{
    std::string text;
    for (int y = chances_top; y < chances_top + 16; ++y)
        text += screen.text(col, y, 4) + "|";
    return text;
}

bool run_is(const Surface& screen, int x, int y, unsigned short attribute)
{
    for (int i = 0; i < 4; ++i)
        if (screen.cell(x + i, y).attribute != attribute)
            return false;
    return true;
}

} // namespace

TEST(TableView, NumbersAreFourCharactersRightAlignedOrXXXX)
{
    console::ScopedConsole scope;
    Corvald driver;
    const auto shown = [&](const std::function<void()>& print) {
        scope.console.fill_character(0, 0, '#', 8);
        console::Cursor::position(0, 0);
        print();
        return scope.screen.text(0, 0, 5);
    };
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<float, std::string> amounts[] = {
        {12.75f, "  12"}, {9999.9f, "9999"}, {10000.0f, "XXXX"}, {-0.5f, "   0"}, {-1.0f, "XXXX"},
        {std::numeric_limits<float>::quiet_NaN(), "XXXX"}, {inf, "XXXX"}, {-inf, "XXXX"}, {3e9f, "XXXX"}};
    for (const auto& [amount, text] : amounts)
        EXPECT_EQ(shown([&] { driver.print_number(amount); }), text + "#") << amount;
    const std::pair<double, std::string> probabilities[] = {
        {1.0, "100%"}, {0.125, " 13%"}, {0.994, " 99%"}, {0.07, "  7%"}, {0.004, "  0%"},
        {-0.1, "XXXX"}, {1.0000001, "XXXX"}, {std::numeric_limits<double>::quiet_NaN(), "XXXX"}};
    for (const auto& [probability, text] : probabilities)
        EXPECT_EQ(shown([&] { driver.print_percentage(probability); }), text + "#") << probability;
}

TEST(TableView, PrintCardPlacesCardsFiveCellsApartInsideTheMargin)
{
    console::ScopedConsole scope;
    print_card(17, 7, 1, 2, Card(12, Card::spades));
    // The place spans (23, 18) to (26, 21) and nothing around it.
    for (const auto& [x, y] : Cells{{23, 18}, {26, 21}})
        EXPECT_EQ(scope.screen.cell(x, y).attribute, colour::card_face) << x << "," << y;
    EXPECT_EQ(scope.screen.cell(23, 18).ch, 'A');
    for (const auto& [x, y] : Cells{{22, 18}, {27, 18}, {23, 17}, {23, 22}})
        EXPECT_NE(scope.screen.cell(x, y).attribute, colour::card_face) << x << "," << y;
    print_card(0, 0, 0, 0, Card());
    EXPECT_EQ(scope.screen.cell(1, 1).attribute, colour::card_back);
    EXPECT_NE(scope.screen.cell(0, 0).attribute, colour::card_back);
}

TEST(TableView, LongNameIsWrittenWholeAndPushesTheMarker)
{
    const std::string sixteen = "ABCDEFGHIJKLMNOP";
    const std::string seventeen = sixteen + "Q";
    const auto shots = play("1\n2\nahkd\nf\nf\n\n", [&](Source& source, auto&) {
        source.names = std::vector<std::string>{sixteen, seventeen, "x"};
    });
    const Surface& first_blind = shot(shots, "Enter blind bet for " + sixteen);
    EXPECT_EQ(first_blind.text(0, players_top, 20), " " + sixteen + "*  ");
    EXPECT_EQ(first_blind.text(0, players_top + 1, 20), " " + seventeen + "  ");
    EXPECT_EQ(first_blind.text(0, players_top + 2, 20), std::string(16, ' ') + "x   ");
    // Pushed into the stake column, the marker is written over by the stake.
    EXPECT_EQ(shot(shots, "Enter blind bet for " + seventeen).text(0, players_top + 1, 20), " " + seventeen + "  ");
}

TEST(TableViewInHand, EachRoundWritesUnderItsOwnCards)
{
    const auto shots = play(hand_to_the_river);
    const Surface& end = shot(shots, end_q);
    EXPECT_EQ(chances(end, hole_col), chances(shot(shots, "Enter flop cards"), hole_col));
    for (int col : round_cols) {
        EXPECT_EQ(end.text(col, chances_top, 4), "100%") << col;
        EXPECT_TRUE(run_is(end, col, match_row, colour::dark_green)) << col;
    }
    // Stakes to match, then P1 who bet on the flop and P2 who stayed at the big blind.
    EXPECT_EQ(end.text(18, match_row, 19), "   2    6    6    6");
    EXPECT_EQ(end.text(18, players_top, 9), "   2    6");
    EXPECT_EQ(end.text(23, players_top + 1, 4), "   2");
    // The chances against two opponents moved once the cards were known.
    EXPECT_NE(end.text(hole_col, chances_top + 2, 4), end.text(33, chances_top + 2, 4));

    // The seven cards in their places: hole cards stacked, flop, turn, river; felt between.
    const std::string faces = {end.cell(18, 8).ch, end.cell(18, 13).ch, end.cell(23, 8).ch,
                               end.cell(23, 13).ch, end.cell(23, 18).ch, end.cell(33, 8).ch};
    EXPECT_EQ(faces, "AK2792");
    EXPECT_EQ(end.text(28, 8, 2), "10");
    for (const auto& [x, y] : Cells{{17, 7}, {37, 22}, {22, 8}})
        EXPECT_EQ(end.cell(x, y).attribute, colour::table_green) << x << "," << y;
    // A place shows the card's back until its cards are entered.
    const auto places = [&](const std::string& prompt) {
        std::vector<unsigned short> attributes;
        for (int col : round_cols)
            attributes.push_back(shot(shots, prompt).cell(col, 8).attribute);
        return attributes;
    };
    using V = std::vector<unsigned short>;
    const auto back = colour::card_back, red = colour::card_face_red, black = colour::card_face;
    EXPECT_EQ(places("Enter blind bet for P1"), (V{back, back, back, back}));
    EXPECT_EQ(places("Enter flop cards"), (V{red, back, back, back}));
    EXPECT_EQ(places("Enter river card"), (V{red, black, black, back}));
}

TEST(TableViewInHand, ChancesBeforeTheHoleCardsAreThoseOfARandomHand)
{
    const auto shots = play(hand_to_the_river);
    Calculator reference;
    reference.setup(2);
    reference.simulate_hands(Corvald::simulated_hands);
    std::string expected;
    for (unsigned k = 0; k < 16; ++k) {
        char text[8] = "    ";
        if (k <= 2)
            std::snprintf(text, sizeof text, "%3d%%", static_cast<int>(reference.probability(k, 0.5) * 100 + 0.5));
        expected += std::string(text) + "|";
    }
    EXPECT_EQ(chances(shot(shots, "Enter blind bet for P1"), hole_col), expected);
}

TEST(TableViewInHand, YellowRowMovesUpWithEachFoldWhileTheChancesStay)
{
    // Hole: P3 and P4 fold, P5 calls, P1 folds, P2 checks; then P2 and P5 check through.
    const auto shots = play("5\n1\n2\nqsqd\nf\nf\nc\nf\nc\n2c7d9h\nc\nc\nts\nc\nc\n2s\nc\nc\n\n");
    // Five players in: four opponents, row 28. Every fold takes it up a row.
    const std::vector<std::pair<std::string, int>> yellow_row = {
        {"3", 28}, {"4", 27}, {"5", 26}, {"1", 26}, {"2", 25}};
    for (const auto& [player, row] : yellow_row) {
        const Surface& screen = shot(shots, move_q + player);
        for (int y = chances_top; y < chances_top + 16; ++y)
            EXPECT_EQ(screen.cell(hole_col, y).attribute == colour::bright_yellow, y == row) << player << " " << y;
        EXPECT_EQ(chances(screen, hole_col), chances(shot(shots, move_q + "3"), hole_col));
    }
    // The other chance rows of the players are white.
    EXPECT_TRUE(run_is(shot(shots, end_q), flop_col, 24, colour::white));
    EXPECT_TRUE(run_is(shot(shots, end_q), flop_col, 28, colour::white));
}

TEST(TableViewInHand, FoldedStakeIsRedFromTheRoundOfTheFoldOn)
{
    const auto shots = play(hand_to_the_river);
    const int p2 = players_top + 1;
    const Surface& after_fold = shot(shots, move_q + "3", 1);  // on the flop
    EXPECT_TRUE(run_is(after_fold, flop_col, p2, colour::bright_red));
    EXPECT_TRUE(run_is(after_fold, hole_col, p2, colour::white));
    const Surface& end = shot(shots, end_q);
    for (int col : {23, 28, 33}) {
        EXPECT_TRUE(run_is(end, col, p2, colour::bright_red)) << col;
        EXPECT_TRUE(run_is(end, col, players_top, colour::white)) << col;
        EXPECT_TRUE(run_is(end, col, players_top + 2, colour::white)) << col;
    }
    EXPECT_TRUE(run_is(end, hole_col, p2, colour::white));
}

TEST(TableViewInHand, TurnMarkerOnlyWhileAPlayerIsToAct)
{
    const auto shots = play(hand_to_the_river);
    ASSERT_EQ(shots.size(), 18u);
    for (const Shot& shot : shots) {
        if (shot.prompt == end_q)
            continue;
        std::string markers;
        for (int y = players_top; y < players_top + 16; ++y)
            markers += shot.screen.cell(17, y).ch;
        // A blind or a move: the marker stands in that player's row alone.
        std::string expected(16, ' ');
        if (shot.prompt.find(" for P") != std::string::npos)
            expected[static_cast<std::size_t>(shot.prompt.back() - '1')] = '*';
        EXPECT_EQ(markers, expected) << shot.prompt;
    }
}

TEST(TableViewInHand, RowsBeyondThePlayersAreBlanked)
{
    const auto shots = play(hand_to_the_river, [](Source&, console::MemoryConsole& console) {
        for (int y = 24; y < 60; ++y)
            console.fill_character(0, y, '#', 41);
    });
    const Surface& screen = shot(shots, "Enter blind bet for P1");
    EXPECT_EQ(screen.text(0, players_top, 18), "#              P1*");
    for (int y = chances_top + 3; y < chances_top + 16; ++y)
        EXPECT_EQ(screen.text(hole_col, y, 5), "    #") << y;
    for (int y = players_top + 3; y < players_top + 16; ++y) {
        EXPECT_EQ(screen.text(1, y, 6), "     #") << y;
        EXPECT_EQ(screen.text(hole_col, y, 6), "     #") << y;
    }
    // Nothing is written below the sixteenth player row.
    EXPECT_EQ(screen.text(0, 59, 41), std::string(41, '#'));
}

TEST(HandDriver, LonePlayerPostsBothBlindsAndTheHandEndsAfterHisCards)
{
    const auto shots = play("1\n1\n2\nahkd\n\n");
    std::vector<std::string> asked;
    for (const Shot& shot : shots)
        asked.push_back(shot.prompt);
    EXPECT_EQ(asked, (std::vector<std::string>{"Enter no players (max 16)", "Enter blind bet for P1",
                                               "Enter blind bet for P1", "Enter hole cards", end_q}));
    EXPECT_EQ(shots.back().screen.text(hole_col, chances_top, 4), "100%");
    EXPECT_EQ(shots.back().screen.text(hole_col, chances_top + 1, 4), "    ");
}

TEST(HandDriver, DestructionBlanksTheTableAreaAndNothingElse)
{
    console::ScopedConsole scope;
    for (int y = 0; y < 60; ++y) {
        scope.console.fill_attribute(0, y, 0x77, 58);
        scope.console.fill_character(0, y, 'z', 58);
    }
    { Corvald driver; }
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 58; ++x) {
            const bool table_area = y >= 7 && y <= 57 && x >= 1 && x <= 39;
            EXPECT_EQ(scope.screen.cell(x, y).attribute, table_area ? colour::invisible : 0x77) << x << "," << y;
            EXPECT_EQ(scope.screen.cell(x, y).ch, 'z') << x << "," << y;
        }
    }
}

// A source that breaks its contract. Assertions stop it; without them the missing hole
// card stays unknown (dealt at random), and a hand without players is not played.
void play_hand_with_one_hole_card()
{
    const auto shots = play("1\n2\nf\n\n", [](Source& source, auto&) {
        source.names = std::vector<std::string>{"P1", "P2"};
        source.hole = std::vector<Card>{Card(12, Card::hearts)};
    });
    ASSERT_FALSE(shots.empty());
    EXPECT_EQ(shots.back().prompt, end_q);
    EXPECT_EQ(shots.back().screen.cell(18, 13).attribute, colour::card_back);
}

void play_hand_without_players()
{
    EXPECT_TRUE(play("1\n", [](Source& source, auto&) { source.names = std::vector<std::string>{}; }).empty());
}

TEST(HandDriverDeathTest, SourceBreakingItsContractIsStopped)
{
    EXPECT_DEBUG_DEATH(play_hand_with_one_hole_card(), "");
    EXPECT_DEBUG_DEATH(play_hand_without_players(), "");
}
