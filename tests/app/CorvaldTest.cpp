#include "app/Corvald.h"

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

using namespace poker::texas_holdem;
using corvald_test::RecordingScreen;
using corvald_test::Shot;
using poker::Card;
using Surface = console::Surface;
using Names = std::vector<std::string>;
namespace colour = console::colour;

namespace {

constexpr int chances_top = 24;
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

    std::optional<Names> names;
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
const Surface& at(const std::vector<Shot>& shots, const std::string& prompt, int nth = 0)
{
    for (const Shot& shot : shots)
        if (shot.prompt == prompt && nth-- == 0)
            return shot.screen;
    ADD_FAILURE() << "never asked: " << prompt;
    static const Surface blank;
    return blank;
}

// The 4-cell fields of `rows` rows from (col, top), as text.
std::string fields(const Surface& screen, int col, int top, int rows = 16)
{
    std::string text;
    for (int y = top; y < top + rows; ++y)
        text += screen.text(col, y, 4) + "|";
    return text;
}

// The colour of each of those fields as a letter: Y bright yellow, W white, R bright red,
// G dark green; ? anything else or mixed.
std::string colours(const Surface& screen, int col, int top, int rows)
{
    const std::pair<unsigned short, char> letters[] = {{colour::bright_yellow, 'Y'}, {colour::white, 'W'},
                                                       {colour::bright_red, 'R'}, {colour::dark_green, 'G'}};
    std::string text(static_cast<std::size_t>(rows), '?');
    for (int y = top; y < top + rows; ++y)
        for (const auto& [attribute, letter] : letters)
            if (screen.cell(col, y).attribute == attribute
                && screen.cell(col + 3, y).attribute == attribute)
                text[static_cast<std::size_t>(y - top)] = letter;
    return text;
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
        {std::numeric_limits<float>::quiet_NaN(), "XXXX"}, {inf, "XXXX"}, {-inf, "XXXX"},
        {3e9f, "XXXX"}};
    for (const auto& row : amounts)
        EXPECT_EQ(shown([&] { driver.print_number(row.first); }), row.second + "#") << row.first;
    const std::pair<double, std::string> probabilities[] = {
        {1.0, "100%"}, {0.125, " 13%"}, {0.994, " 99%"}, {0.07, "  7%"}, {0.004, "  0%"},
        {-0.1, "XXXX"}, {1.0000001, "XXXX"}, {std::numeric_limits<double>::quiet_NaN(), "XXXX"}};
    for (const auto& row : probabilities)
        EXPECT_EQ(shown([&] { driver.print_percentage(row.first); }), row.second + "#") << row.first;
}

TEST(TableView, LongNameIsWrittenWholeAndPushesTheMarker)
{
    const std::string sixteen = "ABCDEFGHIJKLMNOP", seventeen = sixteen + "Q";
    const auto shots = play("1\n2\nahkd\nf\nf\n\n", [&](Source& source, auto&) {
        source.names = Names{sixteen, seventeen, "x"};
    });
    const Surface& first_blind = at(shots, "Enter blind bet for " + sixteen);
    EXPECT_EQ(first_blind.text(0, players_top, 20), " " + sixteen + "*  ");
    EXPECT_EQ(first_blind.text(0, players_top + 1, 20), " " + seventeen + "  ");
    EXPECT_EQ(first_blind.text(0, players_top + 2, 20), std::string(16, ' ') + "x   ");
    // Pushed into the stake column, the marker is written over by the stake.
    EXPECT_EQ(at(shots, "Enter blind bet for " + seventeen).text(0, players_top + 1, 20),
              " " + seventeen + "  ");
}

TEST(TableViewInHand, EachRoundWritesUnderItsOwnCards)
{
    const auto shots = play(hand_to_the_river);
    const Surface& end = at(shots, end_q);
    EXPECT_EQ(fields(end, 18, chances_top), fields(at(shots, "Enter flop cards"), 18, chances_top));
    for (int col : {18, 23, 28, 33}) {
        EXPECT_EQ(end.text(col, chances_top, 4), "100%") << col;
        EXPECT_EQ(colours(end, col, 41, 1), "G") << col;
    }
    // Stakes to match, then P1 who bet on the flop and P2 who stayed at the big blind.
    EXPECT_EQ(end.text(18, 41, 19), "   2    6    6    6");
    EXPECT_EQ(end.text(18, players_top, 9), "   2    6");
    EXPECT_EQ(end.text(23, players_top + 1, 4), "   2");
    // The chances against two opponents moved once the cards were known.
    EXPECT_NE(end.text(18, chances_top + 2, 4), end.text(33, chances_top + 2, 4));

    // print_card puts the seven cards in their places, 5 cells apart inside the table's
    // margin: hole cards stacked, flop, turn, river; felt between.
    const std::string faces = {end.cell(18, 8).ch, end.cell(18, 13).ch, end.cell(23, 8).ch,
                               end.cell(23, 13).ch, end.cell(23, 18).ch, end.cell(33, 8).ch};
    EXPECT_EQ(faces + end.text(28, 8, 2), "AK279210");
    EXPECT_EQ(end.cell(22, 8).attribute, colour::table_green);
    EXPECT_EQ(end.cell(37, 22).attribute, colour::table_green);
    // A place shows the card's back until its cards are entered.
    const auto places = [&](const std::string& prompt) {
        std::string letters;
        for (int col : {18, 23, 28, 33}) {
            const unsigned short a = at(shots, prompt).cell(col, 8).attribute;
            letters += a == colour::card_back   ? 'B'
                       : a == colour::card_face ? 'F'
                       : a == colour::card_face_red ? 'r'
                                                    : '?';
        }
        return letters;
    };
    // B back, F face, r red face.
    EXPECT_EQ(places("Enter blind bet for P1"), "BBBB");
    EXPECT_EQ(places("Enter flop cards"), "rBBB");
    EXPECT_EQ(places("Enter river card"), "rFFB");
}

TEST(TableViewInHand, ChancesBeforeTheHoleCardsAreThoseOfARandomHand)
{
    const auto shots = play(hand_to_the_river);
    Calculator reference;
    reference.setup(2);
    reference.simulate_hands(Corvald::simulated_hands);
    std::string expected;
    for (unsigned k = 0; k < 16; ++k) {
        std::string text;
        if (k <= 2)
            text = std::to_string(static_cast<int>(reference.probability(k, 0.5) * 100 + 0.5)) + "%";
        expected += std::string(4 - text.size(), ' ') + text + "|";
    }
    EXPECT_EQ(fields(at(shots, "Enter blind bet for P1"), 18, chances_top), expected);
}

TEST(TableViewInHand, YellowRowMovesUpWithEachFoldWhileTheChancesStay)
{
    // Hole: P3 and P4 fold, P5 calls, P1 folds, P2 checks; then P2 and P5 check through.
    const auto shots = play("5\n1\n2\nqsqd\nf\nf\nc\nf\nc\n2c7d9h\nc\nc\nts\nc\nc\n2s\nc\nc\n\n");
    // Five players in: four opponents, the fifth row. Every fold takes it up a row.
    const std::pair<std::string, std::string> asked[] = {
        {"3", "WWWWY"}, {"4", "WWWYW"}, {"5", "WWYWW"}, {"1", "WWYWW"}, {"2", "WYWWW"}};
    for (const auto& [player, colours_shown] : asked) {
        const Surface& screen = at(shots, move_q + player);
        EXPECT_EQ(colours(screen, 18, chances_top, 5), colours_shown) << player;
        EXPECT_EQ(fields(screen, 18, chances_top), fields(at(shots, move_q + "3"), 18, chances_top))
            << player;
    }
    EXPECT_EQ(colours(at(shots, end_q), 23, chances_top, 5), "WYWWW");
}

TEST(TableViewInHand, FoldedStakeIsRedFromTheRoundOfTheFoldOn)
{
    const auto shots = play(hand_to_the_river);
    const Surface& after_fold = at(shots, move_q + "3", 1);  // on the flop
    EXPECT_EQ(colours(after_fold, 18, players_top, 3), "WWW");
    EXPECT_EQ(colours(after_fold, 23, players_top, 3), "WRW");
    for (int col : {23, 28, 33})
        EXPECT_EQ(colours(at(shots, end_q), col, players_top, 3), "WRW") << col;
    EXPECT_EQ(colours(at(shots, end_q), 18, players_top, 3), "WWW");
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
    const Surface& screen = at(shots, "Enter blind bet for P1");
    EXPECT_EQ(screen.text(0, players_top, 18), "#              P1*");
    for (int y = chances_top + 3; y < chances_top + 16; ++y)
        EXPECT_EQ(screen.text(18, y, 5), "    #") << y;
    for (int y = players_top + 3; y < players_top + 16; ++y)
        EXPECT_EQ(screen.text(0, y, 24), "#     " + std::string(12, '#') + "     #") << y;
    // Nothing is written below the sixteenth player row.
    EXPECT_EQ(screen.text(0, 59, 41), std::string(41, '#'));
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
            EXPECT_EQ(scope.screen.cell(x, y).attribute, table_area ? colour::invisible : 0x77)
                << x << "," << y;
            EXPECT_EQ(scope.screen.cell(x, y).ch, 'z') << x << "," << y;
        }
    }
}

// A source that breaks its contract is stopped by an assertion. Without assertions the
// missing hole card stays unknown (dealt at random) and a hand without players is not played.
TEST(HandDriverDeathTest, SourceBreakingItsContractIsStopped)
{
    const auto one_hole_card = [] {
        const auto shots = play("1\n2\nf\n\n", [](Source& source, auto&) {
            source.names = Names{"P1", "P2"};
            source.hole = std::vector<Card>{Card(12, Card::hearts)};
        });
        ASSERT_FALSE(shots.empty());
        EXPECT_EQ(shots.back().prompt, end_q);
        EXPECT_EQ(shots.back().screen.cell(18, 13).attribute, colour::card_back);
    };
    const auto no_players = [] {
        EXPECT_TRUE(play("1\n", [](Source& source, auto&) { source.names = Names{}; }).empty());
    };
    EXPECT_DEBUG_DEATH(one_hole_card(), "");
    EXPECT_DEBUG_DEATH(no_players(), "");
}
