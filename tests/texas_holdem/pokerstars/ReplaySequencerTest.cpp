#include "texas_holdem/pokerstars/ReplaySequencer.h"

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "console/ScopedConsole.h"
#include "support/ReplayHarness.h"
#include "texas_holdem/ModelDriver.h"
#include "texas_holdem/SessionAnalyser.h"

using corvald_test::replay_data_file;
using corvald_test::replay_with_model;
using corvald_test::ReplayOutcome;
using poker::texas_holdem::ModelDriver;
using poker::texas_holdem::SessionAnalyser;
using poker::texas_holdem::pokerstars::ReplaySequencer;

namespace {

// The last line of a hand text, without its final newline.
std::string without_final_newline(std::string text)
{
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

} // namespace

TEST(ReplayEnd, TextUsedUpAfterAHandEndsCleanlyWhateverItsLastLines)
{
    const std::string hand = replay_data_file("seat-rotation.txt");
    for (const std::string& text : std::vector<std::string>{hand, without_final_newline(hand), hand + "\n\n   \n", hand + "\r\n",
          hand + "Eve leaves the table", hand + "Eve said, \"bye\"\n\n",
          hand + "\nsome remark that is skipped\n", hand + hand, hand + "\n\n" + hand}) {
        const ReplayOutcome outcome = replay_with_model(text);
        EXPECT_FALSE(outcome.error) << outcome.error.value_or("") << " for:\n" << text;
    }
    EXPECT_EQ(replay_with_model(hand + hand).hands.size(), 2u);
}

TEST(ReplayEnd, TextWithoutAHandStopsAtItsFirstLine)
{
    const std::string hand = replay_data_file("seat-rotation.txt");
    for (const std::string& text : std::vector<std::string>{"", "\n", "\n" + hand, "Ann leaves the table\n",
                                    "Hand #1\n" + hand}) {
        const ReplayOutcome outcome = replay_with_model(text);
        EXPECT_EQ(outcome.error, "Malformed game header1") << text;
        EXPECT_TRUE(outcome.hands.empty());
    }
}

TEST(ReplayEnd, LineBeginningWithPokerStarsAfterAHandMustBeAGameLine)
{
    const std::string hand = replay_data_file("seat-rotation.txt");
    const ReplayOutcome outcome =
        replay_with_model(hand + "\nPokerStars Hand #2:  Hold'em No Limit ($1/$2)\n" + hand);
    EXPECT_EQ(outcome.error, "Malformed game header1");
    EXPECT_EQ(outcome.hands.size(), 1u);
}

TEST(ReplayEnd, HasNextHandOnlyAfterAHandAtTheEndOfTheInput)
{
    const console::ScopedConsole screen;
    std::istringstream in(replay_data_file("seat-rotation.txt"));
    ReplaySequencer replay(in);
    EXPECT_TRUE(replay.has_next_hand());
    ModelDriver().go(replay);
    EXPECT_EQ(replay.hands_replayed, 1u);
    EXPECT_FALSE(replay.has_next_hand());

    std::istringstream empty("");
    ReplaySequencer nothing(empty);
    EXPECT_TRUE(nothing.has_next_hand());
}

TEST(ReplayEnd, EndShowsTheCountOnTheStatusRows)
{
    const console::ScopedConsole screen;
    std::istringstream in("");
    ReplaySequencer replay(in);
    replay.hands_replayed = 12;
    replay.show_end();
    EXPECT_EQ(screen.screen.text(1, ReplaySequencer::request_row, 17), "Replayed 12 hands");
}

TEST(ReplaySession, EveryReplayedHandIsRecordedAndAFailedOneIsNot)
{
    const console::ScopedConsole screen;
    std::istringstream in(replay_data_file("checked-down-river.txt")
                          + replay_data_file("seat-rotation.txt")
                          + replay_data_file("pot-mismatch.txt"));
    ReplaySequencer replay(in);
    corvald_test::stop_by_throwing(replay);
    SessionAnalyser session;
    replay.session = &session;

    std::string stopped;
    try {
        while (replay.has_next_hand())
            ModelDriver().go(replay);
    } catch (const corvald_test::ReplayStopped& stop) {
        stopped = stop.message;
    }
    EXPECT_EQ(stopped, "Game over pot size mismatch: $6");
    EXPECT_EQ(session.game_count, 2u);
    // Four rounds of the first hand, one of the second.
    EXPECT_EQ(session.game_entries.size(), 5u);
    ASSERT_FALSE(session.player_entries.empty());
    EXPECT_EQ(session.player_entries.back().name, "Cid");
    EXPECT_EQ(session.player_entries.back().game, 1u);
}
