#include "app/HandLoop.h"

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "console/Colour.h"
#include "support/RecordingScreen.h"
#include "texas_holdem/ConsoleSequencer.h"

using corvald_test::RecordingScreen;
using poker::texas_holdem::ConsoleSequencer;
using poker::texas_holdem::HandLoop;
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

// The end reaches the program's entry as InputEnded, which ends the run with status 0
// (checked by the smoke test of the program).
TEST(ConsoleSession, EndOfInputEndsTheRun)
{
    const auto run = [](const std::string& typed, bool failed) {
        Session session(typed);
        if (failed)
            session.input.setstate(std::ios::badbit);
        HandLoop::run(session.source);
    };
    EXPECT_THROW(run(hand_to_the_river + "3 autobet\nahkd\n", false), ConsoleSequencer::InputEnded);
    // So does a stream that failed for good, rather than asking for ever.
    EXPECT_THROW(run("3\n", true), ConsoleSequencer::InputEnded);
}
