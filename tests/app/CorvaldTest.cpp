#include "app/Corvald.h"

#include "app/HandLoop.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <boost/algorithm/string/join.hpp>
#include <gtest/gtest.h>

#include "console/Cursor.h"
#include "poker/Card.h"
#include "support/RecordingScreen.h"
#include "support/ScopedConsole.h"
#include "support/ScreenPicture.h"
#include "texas_holdem/ConsoleSequencer.h"
#include "texas_holdem/Game.h"

using namespace poker::texas_holdem;
using corvald_test::matches_golden;
using corvald_test::picture;
using corvald_test::RecordingScreen;
using corvald_test::Shot;
using poker::Card;
using Surface = console::Surface;
using Names = std::vector<std::string>;
using Prompts = std::vector<std::string>;

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

using Session = corvald_test::Typing<Source>;

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

// Checks that two screens are alike cell by cell (character, colour and plainness); stops
// at the first cell that differs.
void expect_same_screen(const Surface& a, const Surface& b)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            ASSERT_TRUE(a.cell(x, y) == b.cell(x, y)) << "cell " << x << "," << y << "\n" << picture(a);
}

} // namespace

TEST(TableView, NumbersAreFourCharactersRightAlignedOrXXXX)
{
    console::ScopedConsole scope;
    Corvald driver;
    scope.console.fill_character(0, 0, '#', 58 * 60);
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    int y = 0;
    for (float amount : {12.75f, 9999.9f, 10000.0f, -0.5f, -1.0f, 0.5f, 0.05f, 18843.0f, 1.5e6f, nan, inf, -inf, 3e9f}) {
        console::Cursor::position(0, y++);
        driver.print_number(amount);
    }
    for (double probability : {1.0, 0.125, 0.994, 0.07, 0.004, -0.1, 1.0000001, double(nan)}) {
        console::Cursor::position(0, y++);
        driver.print_percentage(probability);
    }
    // A row per figure, in the order above.
    EXPECT_TRUE(matches_golden(scope.screen, {0, 4, 0, y - 1}, "app/screens/Numbers"));
}

TEST(TableView, LongNameIsWrittenWholeAndPushesTheMarker)
{
    const std::string sixteen = "ABCDEFGHIJKLMNOP", seventeen = sixteen + "Q";
    const auto shots = play("1\n2\nahkd\nf\nf\n\n", [&](Source& source, RecordingScreen&) {
        source.names = Names{sixteen, seventeen, "x"};
    });
    // Pushed into the stake column, the marker is written over by the stake.
    for (const auto& [name, which] : {std::pair{sixteen, "first"}, {seventeen, "second"}})
        EXPECT_TRUE(matches_golden(at(shots, blind_q.substr(0, 20) + name), {0, 22, players_top, players_top + 2},
                                   std::string("app/screens/LongName-") + which));
}

// The table, the chances and the stakes at the end of a hand to the river: each round's
// card places and figures in its own column; the yellow chance against the opponents still
// in; the stakes to match in green; P2's stake red from his fold on the flop.
TEST(TableViewInHand, EachRoundWritesUnderItsOwnCardsAndAFoldedStakeIsRedFromThenOn)
{
    const auto shots = play(hand_to_the_river);
    // The end is in ConsoleSession.CompleteHandToTheRiver's screen; a card's back until its
    // cards are entered.
    for (const auto& [prompt, name] :
         {std::pair{blind_q + "1", "blind"}, {"Enter flop cards", "flop"}, {"Enter river card", "river"}})
        EXPECT_TRUE(matches_golden(at(shots, prompt), {14, 37, 7, 21}, std::string("app/screens/EachRound-") + name));
}

TEST(TableViewInHand, YellowRowMovesUpWithEachFoldWhileTheChancesStay)
{
    // Hole: P3 and P4 fold, P5 calls, P1 folds, P2 checks; then P2 and P5 check through.
    const auto shots = play("5\n1\n2\nqsqd\nf\nf\nc\nf\nc\n2c7d9h\nc\nc\nts\nc\nc\n2s\nc\nc\n\n");
    // Five players in: four opponents, the fifth row. Every fold takes it up a row.
    for (const std::string player : {"3", "4", "5", "1", "2"})
        EXPECT_TRUE(matches_golden(at(shots, move_q + player), {17, 37, chances_top, chances_top + 4},
                                   "app/screens/YellowRow-P" + player));
    EXPECT_TRUE(matches_golden(at(shots, end_q), {17, 37, chances_top, chances_top + 4}, "app/screens/YellowRow-end"));
}

TEST(TableViewInHand, TurnMarkerOnlyWhileAPlayerIsToActAndRowsBeyondThePlayersBlanked)
{
    const auto shots = play(hand_to_the_river, [](Source&, RecordingScreen& screen) {
        for (int y = 24; y < 60; ++y)
            screen.fill_character(0, y, '#', 41);
    });
    // The marker in the row of the player asked for a blind or a move, none while cards are
    // asked for, and at the end as the last move drew it; the rows beyond the three players
    // blank, nothing below the sixteenth row.
    const std::tuple<std::string, int, std::string> asked[] = {{blind_q + "1", 0, "blind-P1"},
                                                               {"Enter hole cards", 0, "hole"},
                                                               {move_q + "2", 1, "flop-P2"},
                                                               {end_q, 0, "end"}};
    for (const auto& [prompt, nth, name] : asked)
        EXPECT_TRUE(matches_golden(at(shots, prompt, nth), {0, 40, 24, 59}, "app/screens/TurnMarker-" + name));
}

// The whole screen, filled with z in an unused colour (?) before the driver came and went:
// the table area is left invisible (.), with the panel's beside it when it was shown.
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
        EXPECT_TRUE(
            matches_golden(scope.screen, {}, panel ? "app/screens/Destruction-panel" : "app/screens/Destruction"));
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
        EXPECT_EQ(picture(shots.back().screen, {18, 21, 13, 13}), "/--\\|BBBB\n"); // the second card's back
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
    EXPECT_TRUE(matches_golden(session.screen.shots.back().screen, {}, "app/screens/CompleteHand-end"));
}

TEST(ConsoleSession, AutobetHandAsksOnlyForCardsItsEndTakesAnyLineAndTheNextHandAsksAgain)
{
    // The end of the hand takes one line, whatever it says.
    Session session("3 autobet\nahkd\n2c7d9h\nts\n2s\nanything at all\n2\n1\n2\nqsqh\nf\n\n");
    EXPECT_EQ(HandLoop::run(session.source, HandLoop::hands(2)), 2u);
    EXPECT_EQ(session.prompts(),
              (Prompts{players_q, "Enter hole cards", "Enter flop cards", "Enter turn card", "Enter river card", end_q,
                       players_q, blind_q + "1", blind_q + "2", "Enter hole cards", move_q + "1", end_q}));
    EXPECT_EQ(session.unread(), "");
    const auto& shots = session.screen.shots;
    // Blinds of 1 and checks throughout: every round's stake to match and stakes stay at 1.
    EXPECT_TRUE(matches_golden(shots[5].screen, {}, "app/screens/Autobet-end"));
    // The next hand's line is written over the previous one.
    EXPECT_EQ(picture(shots[6].screen, {0, 20, 1, 1}), "Hand #2     V1       |WWWWWWWWWWWWWWWWWWWWW\n");
}

TEST(ConsoleSession, SameTypingGivesTheSameChancesInTheNextHand)
{
    Session session(hand_to_the_river + hand_to_the_river);
    HandLoop::run(session.source, HandLoop::hands(2));
    ASSERT_EQ(session.screen.shots.size(), 36u);
    // The cards, chances and stakes of all four rounds at the end of the second hand are the
    // first's (see EachRoundWritesUnderItsOwnCards...); the gaps the second hand did not
    // draw itself are still black on black.
    EXPECT_TRUE(matches_golden(session.screen.shots[35].screen, {14, 37, 7, 45}, "app/screens/SameTyping-second-end"));
}

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
                    typed += boost::algorithm::join(wrong, "\n") + "\n";
                    for (std::size_t n = 0; n < wrong.size(); ++n)
                        typed += "u\n";
                    compared.emplace_back(std::count(typed.begin(), typed.end(), '\n'), answer);
                }
            typed += line + "\n";
        }
        Session with_mistakes(typed);
        HandLoop::run_live(with_mistakes.source, true, HandLoop::hands(1));
        ASSERT_EQ(with_mistakes.unread(), "");
        for (const auto& [shot, clean_shot] : compared) {
            SCOPED_TRACE(typed_cleanly.screen.shots[clean_shot].prompt + " (answer " + std::to_string(clean_shot) + ")");
            expect_same_screen(with_mistakes.screen.shots.at(shot).screen,
                               typed_cleanly.screen.shots.at(clean_shot).screen);
        }
    }
}

TEST(LiveSession, NothingToTakeBackAtTheFirstQuestionOfAHand)
{
    Session session("u\n2\n1\n2\nu\n2\nahkd\nf\n\nu\n2 autobet\nqsqh\nu\nu\nu\n"
                    "2 autobet\nqsqh\n2c7d9h\nts\n2s\n\n");
    HandLoop::run_live(session.source, false, HandLoop::hands(2));
    // The questions asked, then the question row at the second, sixth, 11th and 16th: `u` is
    // refused in red at each hand's first question and never reaches the hand before; a
    // question asked again after `u` is in the normal colour.
    std::string asked = boost::algorithm::join(session.prompts(), "\n") + "\n";
    for (const int shot : {1, 5, 10, 15})
        asked += picture(session.screen.shots.at(shot).screen, {0, 27, 3, 3});
    EXPECT_TRUE(matches_golden(asked, "app/screens/NothingToTakeBack"));
}
