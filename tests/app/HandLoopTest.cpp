#include "app/HandLoop.h"

#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "console/Colour.h"
#include "support/RecordingScreen.h"
#include "texas_holdem/ConsoleSequencer.h"
#include "texas_holdem/InputEnded.h"

using corvald_test::RecordingScreen;
using poker::texas_holdem::ConsoleSequencer;
using poker::texas_holdem::HandLoop;
using poker::texas_holdem::InputEnded;
using Prompts = std::vector<std::string>;

namespace {

const std::string players_q = "Enter no players (max 16)";
const std::string blind_q = "Enter blind bet for P";
const std::string move_q = "Enter bet <raise>, c or f for P";
const std::string end_q = "Hit enter for a new game";

// Three players to the river: blinds 1 and 2; P3 and P1 call, P2 checks; on the flop P1
// bets 4, P2 folds, P3 calls; P1 and P3 check the turn and the river.
const std::string hand_to_the_river =
    "3\n1\n2\nahkd\nc\nc\nc\n2c7d9h\n4\nf\nc\ntc\nc\nc\n2s\nc\nc\n\n";

// A whole session at the console: the typing, the screen, and the one input source.
struct Session {
    explicit Session(const std::string& typed) : input(typed) {}

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
    ConsoleSequencer source{"2.0", input};
};

} // namespace

TEST(ConsoleSession, CompleteHandToTheRiver)
{
    Session session(hand_to_the_river + "more\n");
    EXPECT_EQ(HandLoop::run(session.source, HandLoop::hands(1)), 1u);
    EXPECT_EQ(session.prompts(),
              (Prompts{players_q, blind_q + "1", blind_q + "2", "Enter hole cards", move_q + "3",
                       move_q + "1", move_q + "2", "Enter flop cards", move_q + "1", move_q + "2",
                       move_q + "3", "Enter turn card", move_q + "1", move_q + "3",
                       "Enter river card", move_q + "1", move_q + "3", end_q}));
    EXPECT_EQ(session.unread(), "more\n");
    EXPECT_EQ(session.screen.surface.text(0, 1, 17), "Hand #1     V2.0 ");
}

TEST(ConsoleSession, FoldsBeforeTheFlopEndTheHand)
{
    // The end of the hand takes one line, whatever it says.
    Session session("3\n1\n2\nahkd\nf\nf\nanything at all\nrest\n");
    HandLoop::run(session.source, HandLoop::hands(1));
    EXPECT_EQ(session.prompts(), (Prompts{players_q, blind_q + "1", blind_q + "2",
                                          "Enter hole cards", move_q + "3", move_q + "1", end_q}));
    EXPECT_EQ(session.unread(), "rest\n");
}

TEST(ConsoleSession, AutobetHandAsksOnlyForCardsAndTheNextHandAsksAgain)
{
    Session session("3 autobet\nahkd\n2c7d9h\nts\n2s\n\n2\n1\n2\nqsqh\nf\n\n");
    EXPECT_EQ(HandLoop::run(session.source, HandLoop::hands(2)), 2u);
    EXPECT_EQ(session.prompts(),
              (Prompts{players_q, "Enter hole cards", "Enter flop cards", "Enter turn card",
                       "Enter river card", end_q, players_q, blind_q + "1", blind_q + "2",
                       "Enter hole cards", move_q + "1", end_q}));
    EXPECT_EQ(session.unread(), "");
    const auto& shots = session.screen.shots;
    // Blinds of 1 and checks throughout: every round's stake to match and stakes stay at 1.
    for (int y : {41, 43, 44, 45})
        EXPECT_EQ(shots[5].screen.text(18, y, 19), "   1    1    1    1") << y;
    // The next hand's line is written over the previous one.
    EXPECT_EQ(shots[0].screen.text(0, 1, 8) + shots[6].screen.text(0, 1, 8), "Hand #1 Hand #2 ");
}

TEST(ConsoleSession, RefusedAnswersAreAskedAgainInRed)
{
    Session session("17\n3\nx\n1\n2\nAhKd\nahkd\nC\nf\nf\n\n");
    HandLoop::run(session.source, HandLoop::hands(1));
    ASSERT_EQ(session.screen.shots.size(), 11u);
    const auto white = console::colour::white;
    Prompts red;
    for (const auto& [prompt, screen] : session.screen.shots) {
        // The whole question in one colour; the cursor waits right of the ">" mark.
        const auto attribute = screen.cell(1, 3).attribute;
        EXPECT_EQ(screen.cell(static_cast<int>(prompt.size()), 3).attribute, attribute) << prompt;
        EXPECT_EQ(std::make_pair(screen.cursor_x(), screen.cursor_y()), std::make_pair(2, 4));
        if (attribute == console::colour::bright_red)
            red.push_back(prompt);
        else
            EXPECT_EQ(attribute, white) << prompt;
    }
    EXPECT_EQ(red, (Prompts{players_q, blind_q + "1", "Enter hole cards", move_q + "3"}));
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
                if (x % 5 != 2 && y != 40 && y != 42) {  // the four columns, not the gaps
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
         {{0, {"5"}}, {1, {"50"}}, {4, {"6"}}, {6, {"5"}}, {7, {"2c7d9s"}}, {8, {"5", "c"}},
          {11, {"th"}}, {16, {"f"}}}},
        {"3 autobet\nahkd\n2c7d9h\nts\n2s\n\n", {{0, {"4 autobet"}}, {2, {"2c7d9s"}}, {4, {"3s"}}}}};
    for (const auto& [clean, mistakes] : hands) {
        Session typed_cleanly(clean);
        HandLoop::run_live(typed_cleanly.source, true, HandLoop::hands(1));
        std::istringstream lines(clean);
        std::string typed, line;
        std::vector<std::pair<std::size_t, std::size_t>> compared;  // (shot, clean shot)
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
                                 typed_cleanly.screen.shots.at(clean_shot).screen), "")
                << typed_cleanly.screen.shots[clean_shot].prompt << " (answer " << clean_shot << ")";
    }
}

TEST(LiveSession, NothingToTakeBackAtTheFirstQuestionOfAHand)
{
    Session session("u\n2\n1\n2\nu\n2\nahkd\nf\n\nu\n2 autobet\nqsqh\nu\nu\nu\n"
                    "2 autobet\nqsqh\n2c7d9h\nts\n2s\n\n");
    HandLoop::run_live(session.source, false, HandLoop::hands(2));
    EXPECT_EQ(session.prompts(),
              (Prompts{players_q, players_q, blind_q + "1", blind_q + "2", "Enter hole cards",
                       blind_q + "2", "Enter hole cards", move_q + "1", end_q, players_q, players_q,
                       "Enter hole cards", "Enter flop cards", "Enter hole cards", players_q, players_q,
                       "Enter hole cards", "Enter flop cards", "Enter turn card", "Enter river card", end_q}));
    // `u` is refused in red at each hand's first question and never reaches the hand before;
    // a question asked again after `u` is in the normal colour.
    std::string red;
    for (const auto& shot : session.screen.shots)
        red += shot.screen.cell(1, 3).attribute == console::colour::bright_red ? 'R' : '.';
    EXPECT_EQ(red, ".R........R....R.....");
}
