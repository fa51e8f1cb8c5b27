#include "app/HandLoop.h"

#include <sstream>
#include <string>
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

    // The chances, the stake to match and the three players' stakes of all four rounds;
    // `scribble` overwrites them first.
    std::string columns(bool scribble = false)
    {
        std::string text;
        for (int y : {24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 41, 43, 44, 45})
            for (int col : {18, 23, 28, 33}) {
                if (scribble)
                    screen.console.fill_character(col, y, '?', 4);
                text += screen.screen.text(col, y, 4) + "|";
            }
        return text;
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
    Session session("3\n1\n2\nahkd\nf\nf\n\nrest\n");
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
}

TEST(ConsoleSession, RefusedAnswersAreAskedAgainInRed)
{
    Session session("17\n3\nx\n1\n2\nAhKd\nahkd\nC\nf\nf\n\n");
    HandLoop::run(session.source, HandLoop::hands(1));
    std::vector<std::string> red;
    for (const auto& shot : session.screen.shots)
        if (shot.screen.cell(1, 3).attribute == console::colour::bright_red)
            red.push_back(shot.prompt);
    EXPECT_EQ(red, (std::vector<std::string>{players_q, blind_q + "1", "Enter hole cards", move_q + "3"}));
    EXPECT_EQ(session.screen.shots.size(), 11u);
}

TEST(ConsoleSession, SameTypingGivesTheSameChancesInTheNextHand)
{
    Session session(hand_to_the_river + hand_to_the_river);
    HandLoop::run(session.source, HandLoop::hands(1));
    const std::string first = session.columns();
    ASSERT_EQ(first.substr(0, 4), "100%");
    // Whatever the second hand shows, it must write it itself.
    session.columns(true);
    HandLoop::play_hand(session.source, 2);
    EXPECT_EQ(session.columns(), first);
}

TEST(ConsoleSession, HandLineCountsFromOneAndTheLoopStopsWhenTheInputIsUsedUp)
{
    std::string typing;
    for (int hand = 0; hand < 10; ++hand)
        typing += "1 autobet\nahkd\n\n";
    Session session(typing);
    std::vector<std::string> hand_lines;
    const unsigned played = HandLoop::run(session.source, [&](unsigned hands_played) {
        if (hands_played > 0)
            hand_lines.push_back(session.screen.screen.text(0, 1, 8));
        return session.input.peek() != std::char_traits<char>::eof();
    });
    EXPECT_EQ(played, 10u);
    ASSERT_EQ(hand_lines.size(), 10u);
    EXPECT_EQ(hand_lines[0], "Hand #1 ");
    EXPECT_EQ(hand_lines[1], "Hand #2 ");
    // Overwritten in place, the longer line leaves the version alone.
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
}
