#include "texas_holdem/pokerstars/CurrentGrammar.h"

#include <sstream>
#include <string>
#include <vector>

#include <boost/algorithm/string/join.hpp>
#include <gtest/gtest.h>

#include "support/ReplayHarness.h"
#include "texas_holdem/pokerstars/HandHistoryError.h"
#include "texas_holdem/pokerstars/HandReader.h"

using namespace poker::texas_holdem::pokerstars;

namespace {

// A balanced cash hand: names with a space, a colon and brackets, a raise, an uncalled
// bet, rake. The pot: 0.30 + 0.30 + 0.10 pre-flop, 0.50 + 0.50 on the flop.
const std::vector<std::string> base_hand = {
    "PokerStars Hand #1001:  Hold'em No Limit ($0.05/$0.10 USD) - 2023/11/18 15:43:58 WET "
    "[2023/11/18 10:43:58 ET]",
    "Table 'Aigyptios' 6-max Seat #1 is the button",
    "Seat 1: Lean Abadia ($10 in chips)",
    "Seat 2: wo_olly :D ($5.50 in chips)",
    "Seat 3: Grant[NY] ($12.25 in chips)",
    "wo_olly :D: posts small blind $0.05",
    "Grant[NY]: posts big blind $0.10",
    "*** HOLE CARDS ***",
    "Dealt to Lean Abadia [Ah Kd]",
    "Lean Abadia: raises $0.20 to $0.30",
    "wo_olly :D: calls $0.25",
    "Grant[NY]: folds",
    "*** FLOP *** [5c 2h 3d]",
    "wo_olly :D: checks",
    "Lean Abadia: bets $0.50",
    "wo_olly :D: calls $0.50",
    "*** TURN *** [5c 2h 3d] [As]",
    "wo_olly :D: checks",
    "Lean Abadia: bets $1.25",
    "wo_olly :D: folds",
    "Uncalled bet ($1.25) returned to Lean Abadia",
    "Lean Abadia collected $1.57 from pot",
    "Lean Abadia: doesn't show hand",
    "*** SUMMARY ***",
    "Total pot $1.70 | Rake $0.13",
    "Board [5c 2h 3d As]",
    "Seat 1: Lean Abadia (button) collected ($1.57)",
    "Seat 2: wo_olly :D (small blind) folded on the Turn",
    "Seat 3: Grant[NY] (big blind) folded before Flop",
};

// The message reading `lines` stops with, "" when the hand is read to its end.
std::string outcome(const std::vector<std::string>& lines)
{
    std::istringstream in(boost::algorithm::join(lines, "\n") + "\n");
    HandReader reader(in);
    HandRecord record;
    bool read = false;
    const std::string fault = corvald_test::hand_history_fault([&] { read = reader.next(record); });
    return !fault.empty() ? fault.substr(fault.find(' ') + 1) : read ? "" : "no hand";
}

const std::string header_tail = " - 2023/11/18 15:43:58 ET";

struct Edit {
    std::size_t line; // index in base_hand
    bool insert;      // before `line`, else in its place
    std::string text;
    std::string message; // "" when the hand must still be read
};

} // namespace

// One line changed at a time, one row per line kind: every accepted form keeps the hand
// readable, every rejected one stops it with its own message.
TEST(CurrentGrammar, EachLineKindAcceptsItsFormsAndNamesWhatItExpected)
{
    const std::vector<Edit> edits = {
        {0, false, "PokerStars Zoom Hand #1:  Hold'em No Limit ($0.05/$0.10) - 2013/08/23 11:38:03 ET", ""},
        {0, false, "PokerStars Game #1:  Hold'em No Limit ($0.05/$0.10 USD) - 2009/11/20 7:12:10 ET", ""},
        {0, false, "PokerStars Game #1:  Hold'em No Limit ($0.05/$0.10) - 2007/10/15 - 05:35:27 (ET)", ""},
        {0, false, "PokerStars Home Game Hand #1: {club}  Hold'em No Limit ($0.05/$0.10)" + header_tail, ""},
        {0, false, "PokerStars Hand #1:  Hold'em No Limit ($0.05/$0.10 - $40 Cap -  USD)" + header_tail, ""},
        {0, false, "PokerStars Hand #1:  Hold'em Pot Limit ($0.05/$0.10 USD)" + header_tail, ""},
        {0, false, "PokerStars Hand #1:  Mixed NLH/PLO (Hold'em No Limit, $0.05/$0.10 USD)" + header_tail, ""},
        {0, false, "PokerStars Hand #1:  Mixed NLH/PLO (Omaha Pot Limit, $0.05/$0.10 USD)" + header_tail,
         "Not a hold'em hand: Omaha Pot Limit"},
        {0, false, "PokerStars Hand #1:  Mixed NLH/PLO ($0.05/$0.10 USD)" + header_tail,
         "Not a hold'em hand: Mixed NLH/PLO ($0.05/$0.10 USD)"},
        {0, false, "PokerStars Hand #1:  Omaha Pot Limit ($0.05/$0.10 USD)" + header_tail,
         "Not a hold'em hand: Omaha Pot Limit"},
        {0, false, "PokerStars Hand #1:  6+ Hold'em No Limit (Button Blind $5 - Ante $5 USD)" + header_tail,
         "Not a hold'em hand: 6+ Hold'em No Limit"},
        {0, false, "PokerStars Hand #1:  Hold'em No Limit ($0.05/$0.10 USD)",
         "Malformed header: expected \" - \" and the date and time"},
        {0, false, "PokerStars Hand #1:  Hold'em No Limit ($0.05/$0.10 USD) - 2023/11/18 15:43:5x ET",
         "Malformed header: expected \" - \" and the date and time"},
        {0, false, "PokerStars Hand #1 Hold'em No Limit ($0.05/$0.10 USD)" + header_tail,
         "Malformed header: expected the hand number and \": \""},
        {0, false, "PokerStars Home Game Hand #1: {club  Hold'em No Limit ($0.05/$0.10)" + header_tail,
         "Malformed header: expected the club name in braces"},
        {0, false, "PokerStars Hand #1: Tournament #2 $5+$0.50 USD Hold'em No Limit - Level II (15/30)" + header_tail,
         "Malformed header: expected the tournament number and \", \""},
        {0, false,
         "PokerStars Hand #1: Tournament #2, $5 Hold'em No Limit - Match Round X Level I (15/30)" + header_tail,
         "Malformed header: expected the match round and \", \""},
        {0, false, "PokerStars Hand #1: Tournament #2, $5 Hold'em No Limit - Stage II (15/30)" + header_tail,
         "Malformed header: expected the tournament level"},
        {0, false, "PokerStars Hand #1: Tournament #2, $5 Hold'em No Limit - Level 2 (15/30)" + header_tail,
         "Malformed header: expected the level and its blinds"},
        {0, false, "PokerStars Hand #1:  Hold'em No Limit $0.05/$0.10 USD" + header_tail,
         "Malformed header: expected the game and its stakes in parentheses"},
        {0, false, "PokerStars Hand #1:  Hold'em No Limit ($0.05/$0.10 USD" + header_tail,
         "Malformed header: expected the stakes to end with \")\""},
        {0, false, "PokerStars Hand #1:  Hold'em No Limit ($0.05/$0.10 US)" + header_tail,
         "Malformed header: expected a three-letter currency after the stakes"},
        {0, false, "PokerStars Hand #1:  Hold'em No Limit ($0.05/$0.10 USD) - 2023/11/18 15:43:58ET",
         "Malformed header: expected \" - \" and the date and time"},
        {0, false, "PokerStars Hand #1:  Hold'em No Limit ($0.05-$0.10 USD)" + header_tail,
         "Malformed header: expected the stakes as <small blind>/<big blind>"},
        {0, false, "PokerStars Hand #1:  Hold'em No Limit ($0.02/$0.05 USD)" + header_tail,
         "Blind mismatch: wo_olly :D posts $0.05, the header's blind is $0.02"},
        {0, false,
         "PokerStars Game #1: Tournament #2, $5.00+$0.50 Hold'em No Limit - Level II (15/30) - "
         "2007/10/15 - 05:35:27 (ET)",
         "Malformed amount: expected the seat's chips as 30 is written, found \"$10\""},
        {11, true, "Stranger\xe9 said, \"\x80\xff\"", ""},
        {8, false, "Dealt to Lean Abadi\xe1 [Ah Kd]", "Dealt to a player without a seat line: Lean Abadi\xe1"},
        {1, false, "Table 'Adelaide II 100-250 bb, Ante' 9-max (Play Money) Seat #1 is the button", ""},
        {1, false, "Table 'Sekanina' Seat #1 is the button", ""},
        {1, false, "Table 'Aigyptios' 12-max Seat #1 is the button", "Malformed table line: expected 2-max to 10-max"},
        {1, false, "Table Aigyptios", "Expected the table line: Table '<name>' ... Seat #<n> is the button"},
        {4, false, "Seat 3: Grant[NY] ($12.25 in chips, $2 bounty)", ""},
        {2, false, "Seat 1: Lean Abadia ($10 in chips) is sitting out", ""},
        {4, false, "Seat 3: Grant[NY] (12.25 in chips)",
         "Malformed amount: expected the seat's chips as $0.10 is written, found \"12.25\""},
        {4, false, "Seat 3:  ($12.25 in chips)", "Malformed seat line: expected Seat <n>: <name> (<amount> in chips)"},
        {4, false, "Seat 3: Grant[NY] $12.25 in chips",
         "Malformed seat line: expected Seat <n>: <name> (<amount> in chips)"},
        {4, false, "Seat 3: Grant[NY] ($12.25 in chips, $2 bountry)",
         "Malformed seat line: expected \", <amount> bounty)\""},
        {4, false, "Seat 3: Grant[NY] ($12.25 in chips", "Malformed seat line: expected \")\" after \"in chips\""},
        {4, false, "Seat 3: Grant[NY] ($12.25 in chips) is away",
         "Malformed seat line: expected nothing, \" is sitting out\" or \" out of hand\" after the chips"},
        {4, false, "Seat 1: Grant[NY] ($12.25 in chips)", "Seat 1 twice, or a name on two seats"},
        {7, true, "Lergik: sits out", ""},
        {7, true, "YurNas will be allowed to play after the button", ""},
        {7, true, "Lergik joins the table at seat #4", ""},
        {7, true, "Lean Abadia: posts small blind $0.05",
         "Pot mismatch: the summary says $1.70, the bets add up to $1.75"},
        {7, true, "Lean Abadia: posts a kiss",
         "Malformed post: expected small blind, big blind, small & big blinds or the ante"},
        {7, true, "Lean Abadia: folds", "Expected a forced bet, a status line or *** HOLE CARDS ***"},
        {8, false, "Dealt to Nobody [Ah Kd]", "Dealt to a player without a seat line: Nobody"},
        {8, false, "Dealt to Lean Abadia [ah Kd]",
         "Malformed Dealt to line: expected one Dealt to <name> [<card> <card>] before the first move"},
        {8, false, "Dealt to Lean Abadia [Ah]",
         "Malformed Dealt to line: expected one Dealt to <name> [<card> <card>] before the first move"},
        {8, false, "Dealt to Lean Abadia [Ah K]",
         "Malformed Dealt to line: expected one Dealt to <name> [<card> <card>] before the first move"},
        {9, false, "Lean Abadia: raises $0.25 to $0.30", "Raise mismatch: raises $0.25 to $0.30 over a bet of $0.10"},
        {10, false, "wo_olly :D: calls $0.25 and is all-in", "All-in with chips left: wo_olly :D"},
        {9, false, "Lean Abadia: raises $10 to $10.10", "More than the player's chips or the cap: Lean Abadia"},
        {10, false, "wo_olly :D: calls $0.30", "A call of more than the bet to match: wo_olly :D"},
        {10, false, "wo_olly :D: calls $0", "A call of more than the bet to match: wo_olly :D"},
        {11, false, "Grant[NY]: folds [Jd Jh]", ""},
        {11, false, "Grant[NY]: checks", "A check facing a bet: Grant[NY]"},
        {11, false, "Grant[NY]: jumps",
         "Malformed move: expected folds, checks, calls, bets, raises, shows or mucks hand"},
        {11, true, "Stranger said, \"Grant[NY]: folds\"", ""},
        {11, true, "Grant[NY] has timed out while being disconnected", ""},
        {12, false, "*** FLOP *** [5c 2h]", "Malformed street line: expected the board in brackets"},
        {16, false, "*** TURN *** [5c 2h 4d] [As]", "Street line out of order or with another board than before"},
        {14, false, "Lean Abadia: bets $0.50 and is all-in", "All-in with chips left: Lean Abadia"},
        {14, false, "Lean Abadia: raises $0.50 to $0.50", "A raise where no bet was made: Lean Abadia"},
        {18, true, "Betting is capped", ""},
        {20, false, "Uncalled bet ($1.26) returned to Lean Abadia",
         "Uncalled bet mismatch: $1.26 returned to Lean Abadia, who bet $1.25 on this street"},
        {21, false, "Lean Abadia collected $1.57 from side pot-x",
         "Malformed collect line: expected from pot, main pot, side pot or side pot-<n>"},
        {22, false, "Lean Abadia: shows [Ah Kd] (high card Ace)", ""},
        {22, false, "Grant[NY] finished the tournament in 3rd place and received $2.32.", ""},
        {22, false, "Lean Abadia cashed out the hand for $1.39 | Cash Out Fee $0.01", ""},
        {22, false, "Grant[NY] wins $1 for splitting the elimination of X and their own bounty increases by $1 to $6",
         ""},
        {22, false, "Grant[NY] wins $1 for eliminating X and their own bounty increases by $1 to $6", ""},
        {22, false, "Grant[NY] wins $1 for nothing", "Expected a move, a street line, a pot result or *** SUMMARY ***"},
        {22, false, "Hello world", "Expected a move, a street line, a pot result or *** SUMMARY ***"},
        {11, false, "Grant[NY]: foPokerStars Hand #1002:  Hold'em No Limit ($0.05/$0.10 USD) - 2023/11/18 15:43:58 ET",
         "The hand is cut off in this line and the next hand's header follows in it"},
        {24, false, "Total pot $1.71 | Rake $0.13", "Pot mismatch: the summary says $1.71, the bets add up to $1.70"},
        {24, false, "Total pot $1.70 | Rake $0.12",
         "Pot mismatch: the summary says $1.70 less a rake of $0.12, the players collected $1.57"},
        {24, false, "Total pot $1.70 Main pot $1.50. Side pot $0.08. | Rake $0.13",
         "Pot mismatch: the summary says $1.70 less a rake of $0.13, the main and side pots add up to $1.58"},
        {24, false, "Total pot $1.70 Main pot $1.50. Side pot-1 $0.04. Side pot-2 $0.03. | Rake $0.13", ""},
        {24, false, "Total pot $1.70", "Malformed pot line: expected Total pot <amount> | Rake <amount>"},
        {24, false, "Total pot $1.70 Main pot $1.57 | Rake $0.13",
         "Malformed pot line: expected a point after each pot"},
        {9, true, "Lean Abadia: posts small blind $0.05", "A forced bet after *** HOLE CARDS ***"},
        {9, false, "Lean Abadia: raises $0.30", "Malformed raise: expected raises <amount> to <amount>"},
        {10, false, "wo_olly :D: calls $0.20", "A call for less than the bet to match: wo_olly :D"},
        {11, false, "Grant[NY]: folds now", "Malformed fold: expected \"folds\" or \"folds [<cards>]\""},
        {12, true, "*** HOLE CARDS ***", "*** HOLE CARDS *** out of place"},
        {12, false, "*** FLIP *** [5c 2h 3d]",
         "Expected *** FLOP ***, *** TURN ***, *** RIVER ***, *** SHOW DOWN *** or *** SUMMARY ***"},
        {15, false, "wo_olly :D: bets $0.50", "A bet where a bet was already made: wo_olly :D"},
        {20, false, "Uncalled bet ($1.25) to Lean Abadia",
         "Malformed uncalled bet: expected Uncalled bet (<amount>) returned to <name>"},
        {20, false, "Uncalled bet ($1.25) returned to Nobody",
         "Uncalled bet returned to a player without a seat line: Nobody"},
        {21, false, "Lean Abadia collected $1.57 frm pot",
         "Malformed collect line: expected <name> collected <amount> from pot"},
        {22, false, "Lean Abadia: shows Ah Kd", "Malformed shows line: expected shows [<cards>] (<description>)"},
        {22, false, "Lean Abadia: shows [Ah Kd] high card",
         "Malformed shows line: expected the description in parentheses"},
        {23, false, "PokerStars Hand #1002:  Hold'em No Limit ($0.05/$0.10 USD)" + header_tail,
         "The hand ends before its summary"},
        {24, false, "Board [5c 2h 3d As]", "Expected the Total pot line after *** SUMMARY ***"},
        {24, false, "Total pot $1.70 Main pot $1.50. Side $0.07. | Rake $0.13",
         "Malformed pot line: expected Side pot <amount>."},
        {24, false, "Total pot $1.70 Main pot $1.50. Side pot-x $0.07. | Rake $0.13",
         "Malformed pot line: expected Side pot-<n>"},
        {26, false, "Seat 1 Lean Abadia (button) collected ($1.57)",
         "Malformed summary line: expected Seat <n>: <name> ..."},
        {26, false, "Seat 1: Lean Abadia (button) collected ($1.57", "Malformed summary line: expected ( <amount> )"},
        {25, false, "Board [5c 2h 3d Ad]", "Board mismatch: the summary's board is not the one the streets dealt"},
        {25, false, "Hand was run twice", "Hand was run twice, but no street was"},
        {26, false, "Seat 1: Lean Abadia (button) collected ($1.58)",
         "Summary mismatch: Seat 1 won $1.58, the collect lines give $1.57"},
        {26, false, "Seat 4: Lean Abadia (button) collected ($1.57)",
         "Summary line for a seat the seat lines do not have: Seat 4"},
        {27, true, "Lean Abadia: folds", "Expected a summary line (Board [...] or Seat <n>: ...) or the next hand"},
    };
    EXPECT_EQ(outcome(base_hand), "");
    for (const Edit& edit : edits) {
        std::vector<std::string> lines = base_hand;
        if (edit.insert)
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(edit.line), edit.text);
        else
            lines[edit.line] = edit.text;
        EXPECT_EQ(outcome(lines), edit.message) << edit.text;
    }
}

// What the record holds for the base hand: the hero, the amounts, the board.
TEST(CurrentGrammar, RecordHoldsHeroMoneyAndBoard)
{
    std::istringstream in(boost::algorithm::join(base_hand, "\n") + "\n");
    HandReader reader(in, "t.txt");
    HandRecord record;
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record.hero, 0u); // Lean Abadia
    EXPECT_EQ(record.hero_cards[0], poker::Card(12, poker::Card::hearts));
    EXPECT_EQ(record.seats[1].stack, 550);
    EXPECT_EQ(record.actions[2].kind, HandRecord::Action::Kind::raise);
    EXPECT_EQ(record.actions[2].amount, 30); // nothing posted before: adds the whole 0.30
    EXPECT_EQ(record.actions[3].amount, 25);
    EXPECT_EQ(record.boards[0].size(), 4u);
    EXPECT_EQ(record.total_pot, 170);
    EXPECT_EQ(record.rake, 13);
    EXPECT_EQ(record.first_line, 1u);
    EXPECT_EQ(record.last_line, 29u);

    // Play money: whole chips, no sign, no cents.
    std::istringstream chips("PokerStars Hand #2:  Hold'em No Limit (5/10) - 2023/11/18 15:43:58 ET\n"
                             "Table 'T' 9-max (Play Money) Seat #1 is the button\n"
                             "Seat 1: A (1000 in chips)\nSeat 2: B (990 in chips)\n"
                             "A: posts small blind 5\nB: posts big blind 10\n*** HOLE CARDS ***\nA: folds\n"
                             "Uncalled bet (5) returned to B\nB collected 10 from pot\n*** SUMMARY ***\n"
                             "Total pot 10 | Rake 0\nSeat 1: A (button) (small blind) folded before Flop\n"
                             "Seat 2: B (big blind) collected (10)\n");
    HandReader chip_reader(chips);
    ASSERT_TRUE(chip_reader.next(record));
    EXPECT_FALSE(record.money.cents);
    EXPECT_EQ(record.small_blind, 5);
    EXPECT_EQ(record.seats[1].stack, 990);
}

// Around hands: a byte-order mark, CR LF, indented lines, banners, no empty line at all;
// after a faulty hand, or a line where a header belongs, the reader goes on at the next
// header.
TEST(HandReader, SeparatesHandsByHeadersAndResumesAfterAFault)
{
    std::string text = "\xef\xbb\xbfStray words\n";
    for (int copy = 0; copy < 3; ++copy) {
        text += "*********** # " + std::to_string(copy + 1) + " **************\r\n";
        for (const std::string& line : base_hand) {
            const bool spoilt = copy == 1 && line.rfind("Total pot", 0) == 0;
            text += " " + (spoilt ? "Total pot $9 | Rake $0" : line) + " \r\n";
        }
    }
    // The last hand cut off in its flop line, the same hand glued on.
    text += base_hand[0] + "\n*** FLOP *** [5c 2" + boost::algorithm::join(base_hand, "\n") + "\n";
    std::istringstream in(text);
    HandReader reader(in);
    HandRecord record;
    EXPECT_EQ(corvald_test::hand_history_fault([&] { reader.next(record); }), "1 Malformed game header1");
    EXPECT_TRUE(reader.next(record));
    EXPECT_EQ(record.first_line, 3u);
    EXPECT_THROW(reader.next(record), HandHistoryError);
    EXPECT_TRUE(reader.next(record));
    EXPECT_EQ(record.first_line, 63u);
    EXPECT_EQ(corvald_test::hand_history_fault([&] { reader.next(record); }),
              "93 The hand is cut off in this line and the next hand's header follows in it");
    EXPECT_TRUE(reader.next(record));
    EXPECT_EQ(record.first_line, 93u);
    EXPECT_FALSE(reader.next(record));
}

// A replay reading both forms from one line reader: an older hand is left unread for the
// older grammar, a current hand is read and the next header stays buffered.
TEST(HandReader, LeavesOlderHandsInASharedLineReader)
{
    std::string text = "PokerStars Game #7:  Hold'em No Limit ($1/$2) - 2008/03/20 - 00:16:42 (ET)\n"
                       "Table 'Alcor II' 6-max Seat #1 is the button\n"
                       + boost::algorithm::join(base_hand, "\n") + "\n";
    text += "PokerStars Game #8:  Hold'em No Limit ($1/$2) - 2008/03/20 - 00:16:42 (ET)\n";
    std::istringstream in(text);
    LineReader lines(in);
    HandReader reader(lines, "-", true);
    HandRecord record;
    std::string_view next;
    EXPECT_EQ(reader.read(record), HandReader::Found::older_hand);
    ASSERT_TRUE(lines.peek(next));
    EXPECT_EQ(lines.line_number(), 1u);
    lines.consume();
    ASSERT_TRUE(lines.peek(next)); // the older hand's table line
    lines.consume();
    EXPECT_EQ(reader.read(record), HandReader::Found::current_hand);
    EXPECT_EQ(record.hand_id, "1001");
    ASSERT_TRUE(lines.peek(next));
    EXPECT_EQ(next.substr(0, 19), "PokerStars Game #8:");
}
