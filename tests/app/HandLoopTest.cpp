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

    const std::vector<std::string> asked = {
        players_q,   blind_q + "1", blind_q + "2", "Enter hole cards", move_q + "3", move_q + "1",
        move_q + "2", "Enter flop cards", move_q + "1", move_q + "2", move_q + "3",
        "Enter turn card", move_q + "1", move_q + "3", "Enter river card", move_q + "1",
        move_q + "3", end_q};
    EXPECT_EQ(session.screen.prompts(), asked);
    EXPECT_EQ(session.unread(), "more\n");

    const auto& screen = session.screen.screen;
    EXPECT_EQ(screen.text(0, 1, 17), "Hand #1     V2.0 ");
    // Characters stay after the hand, in black on black.
    for (int col : {18, 23, 28, 33}) {
        EXPECT_EQ(screen.text(col, 24, 4), "100%") << col;
        EXPECT_EQ(screen.cell(col, 24).attribute, console::colour::invisible) << col;
    }
    EXPECT_EQ(screen.text(23, 41, 4), "   6");
}

TEST(ConsoleSession, FoldsBeforeTheFlopEndTheHand)
{
    // The end of the hand takes one line, whatever it says.
    Session session("3\n1\n2\nahkd\nf\nf\nanything at all\nrest\n");
    HandLoop::run(session.source, HandLoop::hands(1));
    EXPECT_EQ(session.screen.prompts(),
              (std::vector<std::string>{players_q, blind_q + "1", blind_q + "2", "Enter hole cards",
                                        move_q + "3", move_q + "1", end_q}));
    EXPECT_EQ(session.unread(), "rest\n");
}

TEST(ConsoleSession, AutobetHandAsksOnlyForCardsAndTheNextHandAsksAgain)
{
    Session session("3 autobet\nahkd\n2c7d9h\nts\n2s\n\n2\n1\n2\nqsqh\nf\n\n");
    EXPECT_EQ(HandLoop::run(session.source, HandLoop::hands(2)), 2u);
    EXPECT_EQ(session.screen.prompts(),
              (std::vector<std::string>{players_q, "Enter hole cards", "Enter flop cards",
                                        "Enter turn card", "Enter river card", end_q, players_q,
                                        blind_q + "1", blind_q + "2", "Enter hole cards",
                                        move_q + "1", end_q}));
    EXPECT_EQ(session.unread(), "");
    // Blinds of 1 and checks throughout: every round's stake to match and stakes stay at 1.
    for (int y : {41, 43, 44, 45})
        EXPECT_EQ(session.screen.shots[5].screen.text(18, y, 19), "   1    1    1    1") << y;
}

TEST(ConsoleSession, RefusedAnswersAreAskedAgainInRed)
{
    Session session("17\n3\nx\n1\n2\nAhKd\nahkd\nC\nf\nf\n\n");
    HandLoop::run(session.source, HandLoop::hands(1));
    ASSERT_EQ(session.screen.shots.size(), 11u);
    const auto white = console::colour::white;
    std::vector<std::string> red;
    for (const auto& [prompt, screen] : session.screen.shots) {
        // The whole question in one colour, plain text at its first showing; the cursor
        // waits on the answer line, right of the ">" mark.
        const auto attribute = screen.cell(1, 3).attribute;
        const int last = static_cast<int>(prompt.size());
        EXPECT_EQ(screen.cell(last, 3).attribute, attribute) << prompt;
        EXPECT_EQ(screen.cell(last + 1, 3).attribute, white) << prompt;
        EXPECT_EQ(screen.cell(1, 3).plain, attribute == white) << prompt;
        EXPECT_EQ(std::make_pair(screen.cursor_x(), screen.cursor_y()), std::make_pair(2, 4));
        if (attribute == console::colour::bright_red)
            red.push_back(prompt);
        else
            EXPECT_EQ(attribute, white) << prompt;
    }
    EXPECT_EQ(red, (std::vector<std::string>{players_q, blind_q + "1", "Enter hole cards",
                                             move_q + "3"}));
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
            for (int col : {18, 23, 28, 33})
                for (int x = col; x < col + 4 && y != 40 && y != 42; ++x) {
                    const console::Cell& cell = session.screen.shots[shot].screen.cell(x, y);
                    cells += std::string{cell.ch} + std::to_string(cell.attribute) + " ";
                }
        return cells;
    };
    EXPECT_EQ(numbers(17), numbers(35));
}

TEST(ConsoleSession, HandLineCountsFromOneAndIsOverwrittenInPlace)
{
    std::string typing;
    for (int hand = 0; hand < 10; ++hand)
        typing += "1 autobet\nahkd\n\n";
    Session session(typing);
    EXPECT_EQ(HandLoop::run(session.source, HandLoop::hands(10)), 10u);
    const auto& shots = session.screen.shots;  // three questions a hand
    ASSERT_EQ(shots.size(), 30u);
    EXPECT_EQ(shots[0].screen.text(0, 1, 8) + shots[3].screen.text(0, 1, 8), "Hand #1 Hand #2 ");
    // The longer line leaves the version alone.
    EXPECT_EQ(session.screen.screen.text(0, 1, 17), "Hand #10    V2.0 ");
}

TEST(ConsoleSessionDeathTest, EndOfInputEndsTheRunWithStatusZero)
{
    EXPECT_EXIT(
        {
            Session session(hand_to_the_river + "3 autobet\nahkd\n");
            HandLoop::run(session.source);
        },
        ::testing::ExitedWithCode(0), "");
    // So does a stream that failed for good, rather than asking for ever.
    EXPECT_EXIT(
        {
            Session session("3\n");
            session.input.setstate(std::ios::badbit);
            HandLoop::run(session.source);
        },
        ::testing::ExitedWithCode(0), "");
}
