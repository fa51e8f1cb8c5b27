#include "app/Corvald.h"

#include "app/HandLoop.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "console/Colour.h"
#include "console/Cursor.h"
#include "poker/Card.h"
#include "support/RecordingScreen.h"
#include "support/ScopedConsole.h"
#include "texas_holdem/ConsoleSequencer.h"
#include "texas_holdem/Game.h"
#include "texas_holdem/InputEnded.h"

using namespace poker::texas_holdem;
using corvald_test::RecordingScreen;
using corvald_test::Shot;
using poker::Card;
using Surface = console::Surface;
using Names = std::vector<std::string>;
using Prompts = std::vector<std::string>;
namespace colour = console::colour;

namespace {

constexpr int chances_top = 24;
constexpr int players_top = 43;
const std::string players_q = "Enter no players (max 16)";
const std::string blind_q = "Enter blind bet for P";
const std::string move_q = "Enter bet <raise>, c or f for P";
const std::string end_q = "Hit enter for a new game";

// Three players to the river: blinds 1 and 2; P3 and P1 call, P2 checks; on the flop P1
// bets 4, P2 folds, P3 calls; P1 and P3 check the turn and the river.
const std::string hand_to_the_river = "3\n1\n2\nahkd\nc\nc\nc\n2c7d9h\n4\nf\nc\nts\nc\nc\n2s\nc\nc\n\n";

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

// A session at the console: the typing, the screen, and the one input source.
struct Session {
    explicit Session(const std::string& typed, const char* version = "1") : input(typed), source(version, input) {}

    Prompts prompts() const
    {
        Prompts asked;
        for (const auto& shot : screen.shots)
            asked.push_back(shot.prompt);
        return asked;
    }
    std::string unread()
    {
        std::string rest;
        std::getline(input, rest, '\0');
        return rest;
    }

    RecordingScreen screen;
    std::istringstream input;
    Source source;
};

// Plays one hand typed at the console on a fresh screen (`setup` may change the source
// and the screen first); returns the screen at every question.
std::vector<Shot> play(const std::string& typed, const std::function<void(Source&, RecordingScreen&)>& setup = {})
{
    Session session(typed);
    if (setup)
        setup(session.source, session.screen);
    Corvald driver;
    driver.go(session.source);
    return session.screen.shots;
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

// The 4-cell fields of a column's 16 rows from (col, top), as text.
std::string fields(const Surface& screen, int col, int top)
{
    std::string text;
    for (int y = top; y < top + 16; ++y)
        text += screen.text(col, y, 4) + "|";
    return text;
}

// An attribute as a letter: W white, R bright red, Y bright yellow, G dark green, B card
// back, F card face, r red card face, T the table's felt; ? anything else.
char letter(unsigned short attribute)
{
    const unsigned short attributes[] = {colour::white,         colour::bright_red, colour::bright_yellow,
                                         colour::dark_green,    colour::card_back,  colour::card_face,
                                         colour::card_face_red, colour::table_green};
    const auto found = std::find(std::begin(attributes), std::end(attributes), attribute);
    return "WRYGBFrT?"[found - std::begin(attributes)];
}

// Rows `top` to `bottom` of columns `left` to `right`, each as its characters, "|" and a
// colour letter per cell; suits show as h d c s and the lines of a card's back as + - |.
std::string picture(const Surface& screen, int left, int right, int top, int bottom)
{
    const std::string drawn = "\x03\x04\x05\x06\xDA\xBF\xC0\xD9\xC4\xB3";
    std::string text;
    for (int y = top; y <= bottom; ++y) {
        std::string characters, colours;
        for (int x = left; x <= right; ++x) {
            const auto at = drawn.find(screen.cell(x, y).ch);
            characters += at == std::string::npos ? screen.cell(x, y).ch : "hdcs++++-|"[at];
            colours += letter(screen.cell(x, y).attribute);
        }
        text += characters + "|" + colours + "\n";
    }
    return text;
}

// The colour letter of each of `rows` 4-cell fields from (col, top); ? where mixed.
std::string colours(const Surface& screen, int col, int top, int rows)
{
    std::string text;
    for (int y = top; y < top + rows; ++y)
        text += screen.cell(col, y).attribute == screen.cell(col + 3, y).attribute
                    ? letter(screen.cell(col, y).attribute)
                    : '?';
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
        {12.75f, "  12"},   {9999.9f, "9999"},
        {10000.0f, " 10k"}, {-0.5f, "   0"},
        {-1.0f, "XXXX"},    {0.5f, "  .5"},
        {0.05f, " .05"},    {18843.0f, " 18k"},
        {1.5e6f, "1.5M"},   {std::numeric_limits<float>::quiet_NaN(), "XXXX"},
        {inf, "XXXX"},      {-inf, "XXXX"},
        {3e9f, "XXXX"}};
    for (const auto& row : amounts)
        EXPECT_EQ(shown([&] { driver.print_number(row.first); }), row.second + "#") << row.first;
    const std::pair<double, std::string> probabilities[] = {
        {1.0, "100%"},   {0.125, " 13%"}, {0.994, " 99%"},     {0.07, "  7%"},
        {0.004, "  0%"}, {-0.1, "XXXX"},  {1.0000001, "XXXX"}, {std::numeric_limits<double>::quiet_NaN(), "XXXX"}};
    for (const auto& row : probabilities)
        EXPECT_EQ(shown([&] { driver.print_percentage(row.first); }), row.second + "#") << row.first;
}

TEST(TableView, LongNameIsWrittenWholeAndPushesTheMarker)
{
    const std::string sixteen = "ABCDEFGHIJKLMNOP", seventeen = sixteen + "Q";
    const auto shots = play("1\n2\nahkd\nf\nf\n\n", [&](Source& source, RecordingScreen&) {
        source.names = Names{sixteen, seventeen, "x"};
    });
    EXPECT_EQ(at(shots, "Enter blind bet for " + sixteen).text(0, players_top, 19), " " + sixteen + "* ");
    // Pushed into the stake column, the marker is written over by the stake.
    EXPECT_EQ(at(shots, "Enter blind bet for " + seventeen).text(0, players_top + 1, 20), " " + seventeen + "  ");
}

// The table, the chances and the stakes at the end of a hand to the river: each round's
// card places and figures in its own column; the yellow chance against the opponents still
// in; the stakes to match in green; P2's stake red from his fold on the flop.
TEST(TableViewInHand, EachRoundWritesUnderItsOwnCardsAndAFoldedStakeIsRedFromThenOn)
{
    const auto shots = play(hand_to_the_river);
    EXPECT_EQ("\n" + picture(at(shots, end_q), 14, 37, 7, 45), R"(
                        |WWWTTTTTTTTTTTTTTTTTTTTT
    A    2    10   2    |WWWTrFFFTFFFFTFFFFTFFFFT
    h    c    s    s    |WWWTrFFFTFFFFTFFFFTFFFFT
       h    c    s    s |WWWTFFFrTFFFFTFFFFTFFFFT
       A    2   10    2 |WWWTFFFrTFFFFTFFFFTFFFFT
                        |WWWTTTTTTTTTTTTTTTTTTTTT
    K    7              |WWWTrFFFTrFFFTTTTTTTTTTT
    d    d              |WWWTrFFFTrFFFTTTTTTTTTTT
       d    d           |WWWTFFFrTFFFrTTTTTTTTTTT
       K    7           |WWWTFFFrTFFFrTTTTTTTTTTT
                        |WWWTTTTTTTTTTTTTTTTTTTTT
         9              |WWWTTTTTTrFFFTTTTTTTTTTT
         h              |WWWTTTTTTrFFFTTTTTTTTTTT
            h           |WWWTTTTTTFFFrTTTTTTTTTTT
            9           |WWWTTTTTTFFFrTTTTTTTTTTT
                        |WWWTTTTTTTTTTTTTTTTTTTTT
                        |WWWWWWWWWWWWWWWWWWWWWWWW
    100% 100% 100% 100% |WWWWWWWWWWWWWWWWWWWWWWWW
     55%  41%  32%  35% |WWWWWWWWWYYYYWYYYYWYYYYW
     46%  31%  21%  23% |WWWWYYYYWWWWWWWWWWWWWWWW
                        |WWWWWWWWWWWWWWWWWWWWWWWW
                        |WWWWWWWWWWWWWWWWWWWWWWWW
                        |WWWWWWWWWWWWWWWWWWWWWWWW
                        |WWWWWWWWWWWWWWWWWWWWWWWW
                        |WWWWWWWWWWWWWWWWWWWWWWWW
                        |WWWWWWWWWWWWWWWWWWWWWWWW
                        |WWWWWWWWWWWWWWWWWWWWWWWW
                        |WWWWWWWWWWWWWWWWWWWWWWWW
                        |WWWWWWWWWWWWWWWWWWWWWWWW
                        |WWWWWWWWWWWWWWWWWWWWWWWW
                        |WWWWWWWWWWWWWWWWWWWWWWWW
                        |WWWWWWWWWWWWWWWWWWWWWWWW
                        |WWWWWWWWWWWWWWWWWWWWWWWW
                        |WWWWWWWWWWWWWWWWWWWWWWWW
       2    6    6    6 |WWWWGGGGWGGGGWGGGGWGGGGW
                        |WWWWWWWWWWWWWWWWWWWWWWWW
 P1*   2    6    6    6 |WWWWWWWWWWWWWWWWWWWWWWWW
 P2    2    2    2    2 |WWWWWWWWWRRRRWRRRRWRRRRW
 P3    2    6    6    6 |WWWWWWWWWWWWWWWWWWWWWWWW
)");
    // A card's back until its cards are entered.
    const auto places = [&](const std::string& prompt) {
        std::string letters;
        for (int col : {18, 23, 28, 33})
            letters += letter(at(shots, prompt).cell(col, 8).attribute);
        return letters;
    };
    EXPECT_EQ(places("Enter blind bet for P1") + places("Enter flop cards") + places("Enter river card"), "BBBB"
                                                                                                          "rBBB"
                                                                                                          "rFFB");
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
        EXPECT_EQ(fields(screen, 18, chances_top), fields(at(shots, move_q + "3"), 18, chances_top)) << player;
    }
    EXPECT_EQ(colours(at(shots, end_q), 23, chances_top, 5), "WYWWW");
}

TEST(TableViewInHand, TurnMarkerOnlyWhileAPlayerIsToActAndRowsBeyondThePlayersBlanked)
{
    const auto shots = play(hand_to_the_river, [](Source&, RecordingScreen& screen) {
        for (int y = 24; y < 60; ++y)
            screen.fill_character(0, y, '#', 41);
    });
    ASSERT_EQ(shots.size(), 18u);
    // The table is drawn once the players are seated, after the first question.
    for (const Shot& shot : std::vector<Shot>(shots.begin() + 1, shots.end())) {
        SCOPED_TRACE(shot.prompt);
        // A blind or a move: the marker stands in that player's row alone. The end of the
        // hand is left as the last move drew it.
        std::string markers, expected = "   ";
        for (int y = players_top; y < players_top + 3; ++y)
            markers += shot.screen.cell(17, y).ch;
        if (shot.prompt.find(" for P") != std::string::npos)
            expected[static_cast<std::size_t>(shot.prompt.back() - '1')] = '*';
        if (shot.prompt != end_q) {
            EXPECT_EQ(markers, expected);
        }
        for (int y = 3; y < 16; ++y) {
            EXPECT_EQ(shot.screen.text(18, chances_top + y, 5), "    #") << y;
            EXPECT_EQ(shot.screen.text(0, players_top + y, 23), "#     " + std::string(12, '#') + "     ") << y;
        }
        // Nothing is written below the sixteenth player row.
        EXPECT_EQ(shot.screen.text(0, 59, 41), std::string(41, '#'));
    }
    EXPECT_EQ(at(shots, "Enter blind bet for P1").text(0, players_top, 18), "#              P1*");
}

TEST(HandDriver, DestructionBlanksTheTableAreaAndNothingElse)
{
    for (const bool panel : {false, true}) {
        console::ScopedConsole scope;
        // A fill runs on past the right edge: these cover the whole screen.
        scope.console.fill_attribute(0, 0, 0x77, 58 * 60);
        scope.console.fill_character(0, 0, 'z', 58 * 60);
        {
            Corvald driver;
            driver.show_panel = panel;
        }
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 58; ++x) {
                const bool table_area = y >= 7 && y <= 57 && x >= 1 && (x <= 39 || (panel && y <= 39));
                EXPECT_EQ(scope.screen.cell(x, y).attribute, table_area ? colour::invisible : 0x77)
                    << x << "," << y << " " << panel;
                EXPECT_EQ(scope.screen.cell(x, y).ch, 'z') << x << "," << y;
            }
    }
}

// A source that breaks its contract is stopped by an assertion. Without assertions the
// missing hole card stays unknown (dealt at random) and a hand without players is not played.
TEST(HandDriverDeathTest, SourceBreakingItsContractIsStopped)
{
    const auto one_hole_card = [] {
        const auto shots = play("1\n2\nf\n\n", [](Source& source, RecordingScreen&) {
            source.names = Names{"P1", "P2"};
            source.hole = std::vector<Card>{Card(12, Card::hearts)};
        });
        ASSERT_FALSE(shots.empty());
        EXPECT_EQ(shots.back().prompt, end_q);
        EXPECT_EQ(shots.back().screen.cell(18, 13).attribute, colour::card_back);
    };
    const auto no_players = [] {
        EXPECT_TRUE(play("1\n", [](Source& source, RecordingScreen&) { source.names = Names{}; }).empty());
    };
    EXPECT_DEBUG_DEATH(one_hole_card(), "");
    EXPECT_DEBUG_DEATH(no_players(), "");
}

TEST(ConsoleSession, CompleteHandToTheRiver)
{
    Session session(hand_to_the_river + "more\n", "2.0");
    EXPECT_EQ(HandLoop::run(session.source, HandLoop::hands(1)), 1u);
    EXPECT_EQ(session.prompts(),
              (Prompts{players_q, blind_q + "1", blind_q + "2", "Enter hole cards", move_q + "3", move_q + "1",
                       move_q + "2", "Enter flop cards", move_q + "1", move_q + "2", move_q + "3", "Enter turn card",
                       move_q + "1", move_q + "3", "Enter river card", move_q + "1", move_q + "3", end_q}));
    EXPECT_EQ(session.unread(), "more\n");
    EXPECT_EQ(session.screen.surface.text(0, 1, 17), "Hand #1     V2.0 ");
}

TEST(ConsoleSession, FoldsBeforeTheFlopEndTheHand)
{
    // The end of the hand takes one line, whatever it says.
    Session session("3\n1\n2\nahkd\nf\nf\nanything at all\nrest\n");
    HandLoop::run(session.source, HandLoop::hands(1));
    EXPECT_EQ(session.prompts(),
              (Prompts{players_q, blind_q + "1", blind_q + "2", "Enter hole cards", move_q + "3", move_q + "1", end_q}));
    EXPECT_EQ(session.unread(), "rest\n");
}

TEST(ConsoleSession, AutobetHandAsksOnlyForCardsAndTheNextHandAsksAgain)
{
    Session session("3 autobet\nahkd\n2c7d9h\nts\n2s\n\n2\n1\n2\nqsqh\nf\n\n");
    EXPECT_EQ(HandLoop::run(session.source, HandLoop::hands(2)), 2u);
    EXPECT_EQ(session.prompts(),
              (Prompts{players_q, "Enter hole cards", "Enter flop cards", "Enter turn card", "Enter river card", end_q,
                       players_q, blind_q + "1", blind_q + "2", "Enter hole cards", move_q + "1", end_q}));
    EXPECT_EQ(session.unread(), "");
    const auto& shots = session.screen.shots;
    // Blinds of 1 and checks throughout: every round's stake to match and stakes stay at 1.
    for (int y : {41, 43, 44, 45})
        EXPECT_EQ(shots[5].screen.text(18, y, 19), "   1    1    1    1") << y;
    // The next hand's line is written over the previous one.
    EXPECT_EQ(shots[0].screen.text(0, 1, 8) + shots[6].screen.text(0, 1, 8), "Hand #1 Hand #2 ");
}

TEST(ConsoleSession, SameTypingGivesTheSameChancesInTheNextHand)
{
    Session session(hand_to_the_river + hand_to_the_river);
    HandLoop::run(session.source, HandLoop::hands(2));
    ASSERT_EQ(session.screen.shots.size(), 36u);
    // The chances and stakes of all four rounds at the end of each hand, with their colours:
    // what the second hand did not draw itself is still the first's, in black on black.
    const auto numbers = [&](std::size_t shot) {
        std::string cells;
        for (int y = 24; y <= 45; ++y)
            for (int x = 18; x < 37; ++x)
                if (x % 5 != 2 && y != 40 && y != 42) { // the four columns, not the gaps
                    const console::Cell& cell = session.screen.shots[shot].screen.cell(x, y);
                    cells += std::string{cell.ch} + std::to_string(cell.attribute) + " ";
                }
        return cells;
    };
    EXPECT_EQ(numbers(17), numbers(35));
}

TEST(ConsoleSession, EndOfInputEndsTheRunAndAFailedReadIsAFault)
{
    Session ended(hand_to_the_river + "3 autobet\nahkd\n");
    EXPECT_THROW(HandLoop::run(ended.source), InputEnded);
    // A stream that failed for good is no end: the run stops with the fault rather than
    // asking for ever or passing for a normal end.
    Session failed("3\n");
    failed.input.setstate(std::ios::badbit);
    EXPECT_THROW(HandLoop::run(failed.source), std::runtime_error);
}

namespace {

// The first cell where two screens differ (character, colour or plainness), or "".
std::string difference(const console::Surface& a, const console::Surface& b)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.cell(x, y) != b.cell(x, y))
                return std::to_string(x) + "," + std::to_string(y) + ": " + a.cell(x, y).ch + " "
                       + std::to_string(a.cell(x, y).attribute) + " vs " + b.cell(x, y).ch + " "
                       + std::to_string(b.cell(x, y).attribute);
    return "";
}

} // namespace

TEST(LiveSession, TakenBackAnswersLeaveExactlyTheScreenOfTheHandTypedWithoutThem)
{
    // Wrong answers typed at the question of the clean answer they precede, each group
    // then taken back with as many `u`: a player count, a blind, a raise, a round-closing
    // raise, a wrong flop card, two moves at once, a wrong turn card, a hand-ending fold.
    const std::vector<std::pair<std::string, std::vector<std::pair<int, Prompts>>>> hands = {
        {hand_to_the_river,
         {{0, {"5"}}, {1, {"50"}}, {4, {"6"}}, {6, {"5"}}, {7, {"2c7d9s"}}, {8, {"5", "c"}}, {11, {"th"}}, {16, {"f"}}}},
        {"3 autobet\nahkd\n2c7d9h\nts\n2s\n\n", {{0, {"4 autobet"}}, {2, {"2c7d9s"}}, {4, {"3s"}}}}};
    for (const auto& [clean, mistakes] : hands) {
        Session typed_cleanly(clean);
        HandLoop::run_live(typed_cleanly.source, true, HandLoop::hands(1));
        std::istringstream lines(clean);
        std::string typed, line;
        std::vector<std::pair<std::size_t, std::size_t>> compared; // (shot, clean shot)
        for (int answer = 0; std::getline(lines, line); ++answer) {
            for (const auto& [at, wrong] : mistakes)
                if (at == answer) {
                    for (const std::string& w : wrong)
                        typed += w + "\n";
                    for (std::size_t n = 0; n < wrong.size(); ++n)
                        typed += "u\n";
                    compared.emplace_back(std::count(typed.begin(), typed.end(), '\n'), answer);
                }
            typed += line + "\n";
        }
        Session with_mistakes(typed);
        HandLoop::run_live(with_mistakes.source, true, HandLoop::hands(1));
        ASSERT_EQ(with_mistakes.unread(), "");
        for (const auto& [shot, clean_shot] : compared)
            EXPECT_EQ(difference(with_mistakes.screen.shots.at(shot).screen,
                                 typed_cleanly.screen.shots.at(clean_shot).screen),
                      "")
                << typed_cleanly.screen.shots[clean_shot].prompt << " (answer " << clean_shot << ")";
    }
}

TEST(LiveSession, NothingToTakeBackAtTheFirstQuestionOfAHand)
{
    Session session("u\n2\n1\n2\nu\n2\nahkd\nf\n\nu\n2 autobet\nqsqh\nu\nu\nu\n"
                    "2 autobet\nqsqh\n2c7d9h\nts\n2s\n\n");
    HandLoop::run_live(session.source, false, HandLoop::hands(2));
    EXPECT_EQ(session.prompts(), (Prompts{players_q,          players_q,          blind_q + "1",
                                          blind_q + "2",      "Enter hole cards", blind_q + "2",
                                          "Enter hole cards", move_q + "1",       end_q,
                                          players_q,          players_q,          "Enter hole cards",
                                          "Enter flop cards", "Enter hole cards", players_q,
                                          players_q,          "Enter hole cards", "Enter flop cards",
                                          "Enter turn card",  "Enter river card", end_q}));
    // `u` is refused in red at each hand's first question and never reaches the hand before;
    // a question asked again after `u` is in the normal colour.
    std::string red;
    for (const auto& shot : session.screen.shots)
        red += shot.screen.cell(1, 3).attribute == console::colour::bright_red ? 'R' : '.';
    EXPECT_EQ(red, ".R........R....R.....");
}
