#include "texas_holdem/pokerstars/ReplaySequencer.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/ReplayHarness.h"

using corvald_test::replay_data_file;
using corvald_test::replay_with_model;
using corvald_test::ReplayOutcome;

// Whole hands from the project's own short hand histories, one behaviour per file.

TEST(ReplayHand, SeatsRotateSoThatThePlayerAfterTheButtonPostsFirst)
{
    const ReplayOutcome outcome = replay_with_model(replay_data_file("seat-rotation.txt"));
    ASSERT_FALSE(outcome.error) << *outcome.error;
    ASSERT_EQ(outcome.hands.size(), 1u);
    const auto& hand = outcome.hands[0];
    EXPECT_EQ(hand.new_game.game_id, "2001");
    EXPECT_EQ(hand.new_game.table_name, "Rot 2");
    EXPECT_EQ(hand.new_game.players, (std::vector<std::string>{"Dan", "Eve", "Ann", "Bob", "Cid"}));
    EXPECT_EQ(hand.moves_per_round, std::vector<unsigned>{4});
    EXPECT_EQ(hand.final_stakes, (std::vector<float>{1, 2, 0, 0, 0}));
    // The big blind's unmatched dollar goes back to him: 3 - (2 - 1).
    EXPECT_EQ(hand.expected_pot, 2.0f);
    EXPECT_FALSE(hand.showdown);
}

TEST(ReplayHand, AttendanceAndChatLinesInsideAHandAreDropped)
{
    const ReplayOutcome outcome = replay_with_model(replay_data_file("attendance-and-chat.txt"));
    ASSERT_FALSE(outcome.error) << *outcome.error;
    ASSERT_EQ(outcome.hands.size(), 1u);
    const auto& hand = outcome.hands[0];
    EXPECT_EQ(hand.new_game.players, (std::vector<std::string>{"Bob_2", "Cid", "Ann"}));
    EXPECT_EQ(hand.moves_per_round, (std::vector<unsigned>{3, 2, 2, 2}));
    // The raise counts by its amount raised by (4 over the big blind's 2), and the all-in
    // call is a plain call.
    EXPECT_EQ(hand.final_stakes, (std::vector<float>{9, 2, 9}));
    EXPECT_EQ(hand.expected_pot, 20.0f);
    EXPECT_TRUE(hand.showdown);
}

TEST(ReplayHand, CheckedDownRiverNeedsTheShowdownLine)
{
    const ReplayOutcome outcome = replay_with_model(replay_data_file("checked-down-river.txt"));
    ASSERT_FALSE(outcome.error) << *outcome.error;
    ASSERT_EQ(outcome.hands.size(), 1u);
    EXPECT_EQ(outcome.hands[0].moves_per_round, (std::vector<unsigned>{3, 3, 3, 3}));
    EXPECT_EQ(outcome.hands[0].final_stakes, (std::vector<float>{2, 2, 2}));
    EXPECT_TRUE(outcome.hands[0].showdown);
    // The history holds the board from the second brackets of the turn and river lines.
    const auto& cards = outcome.hands[0].history.cards;
    ASSERT_EQ(cards.size(), 7u);
    EXPECT_EQ(cards[5], poker::Card(11, poker::Card::spades));
    EXPECT_EQ(cards[6], poker::Card(7, poker::Card::hearts));

    const ReplayOutcome missing = replay_with_model(replay_data_file("missing-showdown.txt"));
    EXPECT_EQ(missing.error, "Expected showdown");
    EXPECT_TRUE(missing.hands.empty());
}

TEST(ReplayHand, UncalledRiverBetLeavesItsUnmatchedPartOutOfThePot)
{
    const ReplayOutcome outcome = replay_with_model(replay_data_file("uncalled-river-bet.txt"));
    ASSERT_FALSE(outcome.error) << *outcome.error;
    ASSERT_EQ(outcome.hands.size(), 1u);
    EXPECT_EQ(outcome.hands[0].final_stakes, (std::vector<float>{12, 2, 2}));
    EXPECT_EQ(outcome.hands[0].expected_pot, 6.0f);
    EXPECT_FALSE(outcome.hands[0].showdown);
}

TEST(ReplayHand, PotMismatchShowsTheExpectedPotAtNineDigits)
{
    EXPECT_EQ(replay_with_model(replay_data_file("pot-mismatch.txt")).error,
              "Game over pot size mismatch: $6");
    EXPECT_EQ(replay_with_model(replay_data_file("cents-pot-mismatch.txt")).error,
              "Game over pot size mismatch: $0.25000003");
}

// The model's float sum for this hand is 0.25000003, not the float nearest 0.25: the pot
// is compared in whole cents, so the text's $0.25 passes.
TEST(ReplayHand, PotIsComparedInWholeCents)
{
    const ReplayOutcome outcome = replay_with_model(replay_data_file("cents-pot.txt"));
    ASSERT_FALSE(outcome.error) << *outcome.error;
    ASSERT_EQ(outcome.hands.size(), 1u);
    EXPECT_NE(outcome.hands[0].expected_pot, 0.25f);
}

TEST(ReplayHand, ShortestCompleteHandAsksTwoMoves)
{
    const std::string text =
        "PokerStars Game #5:  Hold'em No Limit ($1/$2) - 2009/04/25 - 15:54:55 (ET)\n"
        "Table 'Alpha' 6-max Seat #1 is the button\n"
        "Seat 1: Ann ($100 in chips)\nSeat 2: Bob ($100 in chips)\nSeat 3: Cid ($100 in chips)\n"
        "Bob: posts small blind $1\nCid: posts big blind $2\n*** HOLE CARDS ***\n"
        "Ann: folds\nBob: folds\nwhatever stands here\n*** SHOW DOWN ***\n"
        "*** SUMMARY ***\nTotal pot $2 | Rake $0\n";
    const ReplayOutcome outcome = replay_with_model(text);
    ASSERT_FALSE(outcome.error) << *outcome.error;
    ASSERT_EQ(outcome.hands.size(), 1u);
    EXPECT_EQ(outcome.hands[0].moves_per_round, std::vector<unsigned>{2});
    EXPECT_EQ(outcome.hands[0].final_stakes, (std::vector<float>{1, 2, 0}));
    EXPECT_EQ(outcome.hands[0].history.stakes_to_match.size(), 2u);
}

TEST(ReplayHand, HeadsUpButtonPostingFirstIsANameMismatch)
{
    const std::string text =
        "PokerStars Game #5:  Hold'em No Limit ($1/$2) - 2009/04/25 - 15:54:55 (ET)\n"
        "Table 'Alpha' 6-max Seat #1 is the button\n"
        "Seat 1: Ann ($100 in chips)\nSeat 2: Bob ($100 in chips)\n"
        "Ann: posts small blind $1\nBob: posts big blind $2\n";
    EXPECT_EQ(replay_with_model(text).error, "Name mismatch");
}

// An input that stops anywhere in a hand stops with the message of the line kind that
// was awaited: no read at the end of the input waits for more.
TEST(ReplayHand, TextCutOffAnywhereStopsWithTheAwaitedLineKind)
{
    const std::string text = replay_data_file("checked-down-river.txt");
    const auto cut_after = [&](const std::string& last_line) {
        const auto end = text.find(last_line);
        EXPECT_NE(end, std::string::npos) << last_line;
        return replay_with_model(text.substr(0, end + last_line.size())).error.value_or("");
    };
    EXPECT_EQ(cut_after("Hold'em No Limit ($1/$2) - 2009/04/25 - 15:54:55 (ET)"),
              "Malformed game header2");
    EXPECT_EQ(cut_after("Seat 3: Cid ($100 in chips)"), "Malformed blind bet");
    EXPECT_EQ(cut_after("Cid: posts big blind $2"), "Malformed cards");
    EXPECT_EQ(cut_after("Ann: calls $2"), "Malformed move");
    EXPECT_EQ(cut_after("Ann: checks\n*** SHOW DOWN ***"), "Malformed pot");
    EXPECT_EQ(cut_after("Bob collected $6 from pot"), "Malformed pot");
    EXPECT_EQ(cut_after("*** SUMMARY ***"), "Malformed pot");
}

TEST(ReplayHand, RiverCheckedDownWithoutAnyLineAfterItExpectsTheShowdown)
{
    const std::string text = replay_data_file("checked-down-river.txt");
    const auto end = text.find("*** SHOW DOWN ***");
    EXPECT_EQ(replay_with_model(text.substr(0, end)).error, "Expected showdown");
}
