#include "texas_holdem/pokerstars/ReplaySequencer.h"

#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "support/CardText.h"
#include "support/ReplayHarness.h"

using corvald_test::replay_data_file;
using corvald_test::replay_with_model;
using corvald_test::ReplayedHand;
using corvald_test::ReplayOutcome;

// Whole hands: the project's own short hand histories, one behaviour per file, and the
// grammar's faults as edits of a complete hand.

namespace {

// `text` with the first `from` replaced by `to`.
std::string edited(std::string text, const std::string& from, const std::string& to)
{
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

// The one hand of `text`, which must replay without fault.
ReplayedHand only_hand(const std::string& text)
{
    const ReplayOutcome outcome = replay_with_model(text);
    EXPECT_FALSE(outcome.error) << *outcome.error;
    EXPECT_EQ(outcome.hands.size(), 1u);
    return outcome.hands.empty() ? ReplayedHand{} : outcome.hands[0];
}

} // namespace

TEST(ReplayHand, EachShortHistoryGivesItsPlayersMovesStakesAndPot)
{
    struct Case {
        std::string file;
        std::vector<std::string> players;
        std::vector<unsigned> moves_per_round;
        std::vector<float> final_stakes;
        float pot;
        bool showdown;
    };
    for (const Case& c :
         std::vector<Case>{// The player after the button posts first; the big blind's unmatched dollar goes
                           // back to him: 3 - (2 - 1).
                           {"seat-rotation.txt", {"Dan", "Eve", "Ann", "Bob", "Cid"}, {4}, {1, 2, 0, 0, 0}, 2, false},
                           // Ann's raise counts by the amount raised by (4 over the big blind's 2), and her
                           // all-in call on the river as a plain call.
                           {"attendance-and-chat.txt", {"Bob_2", "Cid", "Ann"}, {3, 2, 2, 2}, {9, 2, 9}, 20, true},
                           {"checked-down-river.txt", {"Bob", "Cid", "Ann"}, {3, 3, 3, 3}, {2, 2, 2}, 6, true},
                           // Nobody calls the river bet: its unmatched part stays out of the pot.
                           {"uncalled-river-bet.txt", {"Bob", "Cid", "Ann"}, {3, 3, 3, 3}, {12, 2, 2}, 6, false},
                           // An all-in player has no further line and is asked for no further move; nor
                           // is his last opponent while nothing is left to call. Bets over him stay out
                           // of his stake.
                           {"all-in-run-out.txt", {"Bob", "Cid", "Ann"}, {3, 0, 0, 0}, {50, 50, 0}, 100, true},
                           {"all-in-bet-over.txt", {"Bob", "Cid", "Ann"}, {4, 2, 2, 2}, {10, 30, 30}, 70, true}}) {
        SCOPED_TRACE(c.file);
        const auto hand = only_hand(replay_data_file(c.file));
        EXPECT_EQ(hand.new_game.players, c.players);
        EXPECT_EQ(hand.moves_per_round, c.moves_per_round);
        EXPECT_EQ(hand.final_stakes, c.final_stakes);
        EXPECT_EQ(hand.expected_pot, c.pot);
        EXPECT_EQ(hand.showdown, c.showdown);
    }
}

// The board comes from the second brackets of the turn and river lines; the user's own
// cards are never taken from the text. The model's float sum for the cents hand is
// 0.25000003, not the float nearest 0.25: the pot is compared in whole cents (a mismatch
// shows the sum at nine digits, see ReplayEnd).
TEST(ReplayHand, BoardIsTheTextsAndThePotIsComparedInWholeCents)
{
    const auto hand = only_hand(
        edited(replay_data_file("checked-down-river.txt"), "*** HOLE CARDS ***", "*** HOLE CARDS *** [Qs Qd]"));
    std::vector<poker::Card> cards = poker::test::cards("Ah 7c 2d Ks 9h");
    cards.insert(cards.begin(), 2, poker::Card()); // the user's own two stay unknown
    EXPECT_EQ(hand.history.cards, cards);
    EXPECT_NE(only_hand(replay_data_file("cents-pot.txt")).expected_pot, 0.25f);
}

// Each row edits a line (or the seat list) of a complete hand; "" means it still replays.
TEST(ReplayHand, EveryLineKindStopsWithItsOwnMessage)
{
    const std::string hand = replay_data_file("checked-down-river.txt");
    const auto seats_at = hand.find("Seat 1");
    const std::string seats = hand.substr(seats_at, hand.find("Bob: posts") - seats_at);
    const std::string header1 = "Malformed game header1", header2 = "Malformed game header2",
                      seat_names = "Error parsing seat names", blind = "Malformed blind bet", move = "Malformed move",
                      cards = "Malformed cards", flop = "Malformed flop", pot = "Malformed pot", name = "Name mismatch";
    const std::string huge = "$300000000000000000000000000000000000000";
    const auto seat_lines = [](int count) {
        std::string lines;
        for (int seat = 1; seat <= count; ++seat)
            lines += "Seat " + std::to_string(seat) + ": P" + std::to_string(seat) + " ($1 in chips)\n";
        return lines;
    };
    using Row = std::tuple<std::string, std::string, std::string>;
    std::vector<Row> rows;
    // Attendance and chat lines before Ann's first move are dropped, but only whole ones.
    for (const std::string line : {"Bob joins the table at seat #4", "Bob: sits out", "Bob is sitting out",
                                   "Grind N has returned", "Bob will be allowed to play after the button",
                                   "Bob has timed out", "Bob_2 leaves the table", "Bob said, \"gg all\""})
        rows.emplace_back("Ann: calls $2", line + "\nAnn: calls $2", "");
    for (const std::string line : {"Bob said, \"say \"hi\"\"", "Bob.x joins the table at seat #2", "Bob-y has returned",
                                   "Bob joins the table at seat #"})
        rows.emplace_back("Ann: calls $2", line + "\nAnn: calls $2", move);
    // A card dealt twice on the board is no slip of the replay but a corrupt hand.
    const std::string corrupt = "Corrupt hand: the board shows a card twice";
    rows.insert(rows.end(), {{"[Ah 7c 2d]", "[Ah 7c Ah]", corrupt},
                             {"[Ah 7c 2d Ks] [9h]", "[Ah 7c 2d Ks] [7c]", corrupt},
                             // A game line the older grammar does not read goes to the current grammar.
                             {"Hold'em No Limit", "Hold'em Pot Limit", ""},
                             {"($1/$2)", "($0.01/$0.02)", header1},
                             {"(ET)", "(ET)x", "Malformed header: expected \" - \" and the date and time"},
                             {"Hold'em No Limit", "Omaha Pot Limit", "Not a hold'em hand: Omaha Pot Limit"},
                             {"PokerStars Game", "PokerStars Gmae", header1},
                             {"'Alpha' 6-max", "'Alpha' 9-max", header2},
                             {"Seat #1 is", "Seat #10 is", header2},
                             {seats, "", seat_names},
                             {"Seat 3: Cid", "Seat 4294967296: Cid", seat_names},
                             {seats, "Seat 1: Ann ($100 in chips)\n", "Too few players"},
                             // Sixteen seats pass; the first blind line then names the wrong player.
                             {seats, seat_lines(17), "Too many players"},
                             {seats, seat_lines(16), name},
                             {"Seat #1 is", "Seat #4 is", "Failed to find button"},
                             // The remark ends the seat list; the line is then read as the first blind.
                             {"Seat 3: Cid ($100 in chips)", "Seat 3: Cid ($100 in chips) is sitting out", blind},
                             {"Bob: posts small blind", "Bob: posts big blind", ""},
                             {"Bob: posts small blind", "Ann: posts small blind", name},
                             {"posts small blind $1", "posts small blind $1.2.3", blind},
                             {"Ann: calls $2", "Bob: calls $2", name},
                             {"Ann: calls $2", "Ann: folds [3c 4c]", move},
                             {"Ann: calls $2", "Ann: raises", move},
                             {"Ann: calls $2", "Ann: bets $1.2.3", move},
                             {"Ann: calls $2", "Ann: calls $2" + std::string(5000, ' ') + "x", move},
                             {"Ann: calls $2", "  Ann: calls $2 \t\r", ""},
                             // An amount that would take the model's sums to infinity.
                             {"Ann: calls $2", "Ann: raises " + huge + " to " + huge, move},
                             {"Bob: checks", "Bob: bets " + huge, move},
                             {"*** HOLE CARDS ***", "*** HOLE CARDS", cards},
                             {"*** FLOP *** [Ah 7c 2d]", "*** FLOP *** [ah 7c 2d]", cards},
                             {"*** RIVER *** [Ah 7c 2d Ks] [9h]", "*** SHOW DOWN ***", cards},
                             {"*** FLOP *** [Ah 7c 2d]", "*** FLOP *** [Ah 7c]", flop},
                             {"*** TURN *** [Ah 7c 2d] [Ks]", "*** TURN *** [Ks]", flop},
                             {"*** FLOP *** [Ah 7c 2d]", "*** TURN *** [Ah 7c 2d] [Ks]", "Round mismatch"},
                             {"Total pot $6 | Rake $0", "Total pot $6 | Rake $0 | Side pot $3", pot},
                             {"Total pot $6 |", "Total pot $1.2.3 |", pot},
                             {"Total pot $6", "Total pot 6", pot}});
    for (const auto& [from, to, message] : rows)
        EXPECT_EQ(replay_with_model(edited(hand, from, to)).error.value_or(""), message) << to;
}

// No read at the end of the input waits for more: inside a hand the text was cut off;
// after a hand the input may end anywhere, and any other text is no game line. A hand
// cancelled before its cards has nothing to replay: the next hand takes its place, and a
// text that ends after it says so. The last rows are hands that stop at their own fault.
TEST(ReplayEnd, TextUsedUpAfterAHandEndsCleanlyAndAnyOtherEndStopsWithItsMessage)
{
    const std::string hand = replay_data_file("seat-rotation.txt");
    const std::string checked = replay_data_file("checked-down-river.txt");
    // `checked` up to the line before `next_line`, without its newline.
    const auto cut = [&](const std::string& next_line) { return checked.substr(0, checked.find(next_line) - 1); };
    const std::string no_newline = hand.substr(0, hand.size() - 1), header1 = "Malformed game header1",
                      cut_off = "The file ends inside the hand that began at line 1";
    const std::string cancelled =
        "PokerStars Hand #1:  Hold'em No Limit ($5/$10) - 2012/07/01 6:57:14 ET\n"
        "Table 'Alpha' 6-max Seat #2 is the button\nSeat 2: Amy ($591 in chips)\n"
        "Seat 3: Billy ($439 in chips)\nBilly: posts small blind $5\nAmy: posts big blind $10\n"
        "Hand cancelled\n*** SUMMARY ***\nSeat 2: Amy (button) collected ($0)\n"
        "Seat 3: Billy (small blind) collected ($0)\n\n\n";
    using Row = std::tuple<std::string, std::size_t, std::string>;
    for (const auto& [text, hands, error] :
         std::vector<Row>{{no_newline, 1, ""},
                          {no_newline + "\r\n", 1, ""},
                          {hand + "Eve leaves the table", 1, ""},
                          {hand + "\n\nsome remark that is skipped\n\n", 1, ""},
                          {hand + "\n\n" + hand, 2, ""},
                          {"", 0, "The input holds no hand"},
                          {"\n" + hand, 0, header1},
                          {"Ann leaves the table\n", 0, header1},
                          {hand + "PokerStars Hand #2:  Hold'em No Limit ($1/$2)\n" + hand, 1, header1},
                          // A byte order mark is removed at the start of the input and of a joined file.
                          {"\xEF\xBB\xBF" + hand, 1, ""},
                          {hand + "\xEF\xBB\xBF" + hand, 2, ""},
                          {cut("Table 'Alpha'"), 0, cut_off},
                          {cut("Ann: calls $2"), 0, cut_off},
                          {cut("*** SHOW DOWN ***"), 0, cut_off},
                          {cut("*** SUMMARY ***"), 0, cut_off},
                          {hand + cut("*** FLOP ***"), 1, "The file ends inside the hand that began at line 20"},
                          {hand + "\n" + cancelled + cancelled + hand, 2, ""},
                          {cancelled, 0, "Hand cancelled, and no hand follows it"},
                          // A line for the all-in player is not his move but the next line kind's fault.
                          {edited(replay_data_file("all-in-run-out.txt"), "*** TURN ***", "Bob: checks\n*** TURN ***"),
                           0, "Malformed cards"},
                          {replay_data_file("missing-showdown.txt"), 0, "Expected showdown"},
                          // The pot is compared in whole cents; a mismatch shows the sum at nine digits.
                          {replay_data_file("pot-mismatch.txt"), 0, "Game over pot size mismatch: $6"},
                          {replay_data_file("cents-pot-mismatch.txt"), 0, "Game over pot size mismatch: $0.25000003"}}) {
        const ReplayOutcome outcome = replay_with_model(text);
        EXPECT_EQ(outcome.error.value_or(""), error) << text;
        EXPECT_EQ(outcome.hands.size(), hands) << text;
    }
}

// Each hand's first line chooses its grammar, so a file joined from both forms replays; a
// board card dealt twice is corrupt in the later text too, whose hand is read whole first.
TEST(ReplayEnd, FileJoinedFromBothFormsReplaysEveryHandAndTheLaterTextsRepeatedCardIsCorrupt)
{
    const std::string later = corvald_test::shared_hand_histories() + "/current/jkt3000/";
    CORVALD_SKIP_WITHOUT(later);
    const std::string older = replay_data_file("checked-down-river.txt");
    const ReplayOutcome outcome =
        replay_with_model(older + "\n" + corvald_test::read_text_file(later + "hands1.txt") + "\n\n" + older);
    EXPECT_EQ(outcome.error.value_or(""), "");
    ASSERT_GE(outcome.hands.size(), 3u);
    EXPECT_EQ(outcome.hands.front().new_game.game_id, "1001");
    EXPECT_EQ(outcome.hands.back().new_game.game_id, "1001");
    EXPECT_NE(outcome.hands[1].new_game.game_id, "1001");

    std::string twice = corvald_test::read_text_file(later + "hand1.txt");
    for (auto at = twice.find("5h"); at != std::string::npos; at = twice.find("5h", at))
        twice.replace(at, 2, "6h");
    EXPECT_EQ(replay_with_model(twice).error, "Corrupt hand: the board shows a card twice");
    // Billy's own cards, a board card among them or one card twice.
    const auto dealt_to_billy = [&later](const std::string& cards) {
        std::string text = corvald_test::read_text_file(later + "hand1.txt");
        text.insert(text.find("Amy Adams: calls $10"), "Dealt to Billy [" + cards + "]\n");
        return replay_with_model(text).error.value_or("");
    };
    EXPECT_EQ(dealt_to_billy("2c 9c"), "");
    EXPECT_EQ(dealt_to_billy("2c Td"), "Corrupt hand: a card dealt to the hero is on the board");
    EXPECT_EQ(dealt_to_billy("2c 2c"), "Corrupt hand: the hero is dealt one card twice");
}
