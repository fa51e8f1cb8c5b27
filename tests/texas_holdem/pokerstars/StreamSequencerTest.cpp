#include "texas_holdem/pokerstars/StreamSequencer.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "console/ScopedConsole.h"
#include "support/ReplayHarness.h"
#include "texas_holdem/pokerstars/ReplaySequencer.h"

using corvald_test::ReplayStopped;
using poker::Card;
using poker::texas_holdem::Game;
using poker::texas_holdem::Sequencer;
using poker::texas_holdem::pokerstars::ReplaySequencer;
using poker::texas_holdem::pokerstars::StreamSequencer;

namespace {

// A replay source over a text of its own, drawing into a memory console, whose error()
// throws ReplayStopped.
class Reader {
public:
    explicit Reader(const std::string& text) : in(text), sequencer(in)
    {
        corvald_test::stop_by_throwing(sequencer);
    }

    // Status row `row` from column 1, trailing blanks cut.
    std::string status_row(int row) const
    {
        std::string text = screen.screen.text(1, row, console::screen_width - 1);
        return text.erase(text.find_last_not_of(' ') + 1);
    }

    console::ScopedConsole screen;
    std::istringstream in;
    ReplaySequencer sequencer;
};

// The message error() showed while `action` ran; empty when it did not stop.
template <typename Action>
std::string stop_message(Action action)
{
    try {
        action();
    } catch (const ReplayStopped& stop) {
        return stop.message;
    }
    return "";
}

const std::string game_line =
    "PokerStars Game #12345:  Hold'em No Limit ($1/$2) - 2009/04/25 - 15:54:55 (ET)";

} // namespace

TEST(ReplayLineReader, TrimsSurroundingBlanksAndTheCarriageReturn)
{
    Reader reader("  Bob: folds \r\n\t \r\nnext");
    EXPECT_EQ(reader.sequencer.read_line(), "Bob: folds");
    EXPECT_EQ(reader.sequencer.read_line(), "");
    EXPECT_EQ(reader.sequencer.read_line(), "next");
}

TEST(ReplayLineReader, PeekKeepsTheLineUntilReadAndEchoesItWithItsNumber)
{
    Reader reader("first\nsecond\n");
    EXPECT_EQ(reader.sequencer.peek_line(), "first");
    EXPECT_EQ(reader.sequencer.peek_line(), "first");
    EXPECT_EQ(reader.sequencer.lines_read(), 1u);
    EXPECT_EQ(reader.status_row(StreamSequencer::found_row), "Found[1] first");
    EXPECT_EQ(reader.sequencer.read_line(), "first");
    EXPECT_EQ(reader.sequencer.peek_line(), "second");
    EXPECT_EQ(reader.status_row(StreamSequencer::found_row), "Found[2] second");
}

TEST(ReplayLineReader, DropsAttendanceLinesWhereverTheyStandButCountsThem)
{
    Reader reader("Bob joins the table at seat #4\n"
                  "Bob: sits out\n"
                  "Bob is sitting out\n"
                  "Grind N has returned\n"
                  "Bob will be allowed to play after the button\n"
                  "Bob has timed out\n"
                  "Bob_2 leaves the table\n"
                  "Bob said, \"gg all\"\n"
                  "Bob: folds\n"
                  "Ann said, \"nh\"\n");
    EXPECT_EQ(reader.sequencer.read_line(), "Bob: folds");
    EXPECT_EQ(reader.sequencer.lines_read(), 9u);
    EXPECT_EQ(reader.sequencer.read_line(), "");
}

TEST(ReplayLineReader, KeepsChatWithAQuoteInsideAndNamesOutsideTheNameClass)
{
    Reader reader("Bob said, \"say \"hi\"\"\nBob.x joins the table at seat #2\n"
                  "Bob-y has returned\nBob joins the table at seat #\n");
    EXPECT_EQ(reader.sequencer.read_line(), "Bob said, \"say \"hi\"\"");
    EXPECT_EQ(reader.sequencer.read_line(), "Bob.x joins the table at seat #2");
    EXPECT_EQ(reader.sequencer.read_line(), "Bob-y has returned");
    EXPECT_EQ(reader.sequencer.read_line(), "Bob joins the table at seat #");
}

TEST(ReplayLineReader, ExhaustedInputGivesEmptyLinesAndKeepsCounting)
{
    Reader reader("only");
    EXPECT_EQ(reader.sequencer.read_line(), "only");
    EXPECT_TRUE(reader.sequencer.input_exhausted());
    EXPECT_EQ(reader.sequencer.read_line(), "");
    EXPECT_EQ(reader.sequencer.read_line(), "");
    EXPECT_EQ(reader.sequencer.lines_read(), 3u);
}

// The buffer still holds the dropped line when the read at the end of the input fails;
// it must not be taken for a fresh attendance line again and again.
TEST(ReplayLineReader, AttendanceLineWithoutFinalNewlineEndsInAnEmptyLine)
{
    Reader reader("Bob: folds\nBob leaves the table");
    EXPECT_EQ(reader.sequencer.read_line(), "Bob: folds");
    EXPECT_EQ(reader.sequencer.read_line(), "");
    EXPECT_EQ(reader.sequencer.lines_read(), 3u);
}

TEST(ReplayLineReader, RemovesAByteOrderMarkOnlyAtTheStartOfTheInput)
{
    Reader reader("\xEF\xBB\xBFPokerStars\n\xEF\xBB\xBFPokerStars\n");
    EXPECT_EQ(reader.sequencer.read_line(), "PokerStars");
    EXPECT_EQ(reader.sequencer.read_line(), "\xEF\xBB\xBFPokerStars");
}

// Blanks inside a line cannot shorten it below the limit: the line is not a move line,
// whatever its first and last words.
TEST(ReplayLineReader, OverlongLineIsCutAndMatchesNoPattern)
{
    const std::string padded = "Bob: folds" + std::string(5000, ' ') + "x";
    Reader reader(padded + "\n" + "Bob: folds\n");
    const std::string kept = reader.sequencer.peek_line();
    EXPECT_LT(kept.size(), 100u);
    EXPECT_EQ(kept.rfind("Bob: folds", 0), 0u);
    EXPECT_EQ(stop_message([&] { reader.sequencer.request_move("Bob"); }), "Malformed move");
    EXPECT_EQ(reader.sequencer.read_line(), "Bob: folds");
    EXPECT_EQ(reader.sequencer.lines_read(), 2u);
}

TEST(ReplayLineReader, LineAtTheLimitIsKept)
{
    const std::string name(StreamSequencer::max_line_length - std::string(": folds").size(), 'a');
    Reader reader(name + ": folds\n");
    EXPECT_EQ(stop_message([&] { reader.sequencer.request_move(name); }), "");
}

TEST(ReplayStatusRows, RequestAndErrorWriteFromColumnOne)
{
    Reader reader("x\n");
    reader.sequencer.request("Move for Bob");
    EXPECT_EQ(reader.status_row(StreamSequencer::request_row), "Request: Move for Bob");
    EXPECT_EQ(reader.screen.screen.cell(0, StreamSequencer::request_row).ch, ' ');
    EXPECT_EQ(stop_message([&] { reader.sequencer.error("Malformed pot"); }), "Malformed pot");
    EXPECT_EQ(reader.status_row(StreamSequencer::error_row), "Error:   Malformed pot");
}

TEST(ReplayStatusRows, ARequestClearsTheLongerOneBeforeIt)
{
    Reader reader("");
    reader.sequencer.request("Blind bet for somebody with a long name");
    reader.sequencer.request("Pot");
    EXPECT_EQ(reader.status_row(StreamSequencer::request_row), "Request: Pot");
}

TEST(ReplayNameCheck, ComparesExactly)
{
    Reader reader("");
    EXPECT_EQ(stop_message([&] { reader.sequencer.name_check("Bob", "Bob"); }), "");
    EXPECT_EQ(stop_message([&] { reader.sequencer.name_check("Bob", "bob"); }), "Name mismatch");
    EXPECT_EQ(stop_message([&] { reader.sequencer.name_check("Bob", "Bob "); }), "Name mismatch");
}

TEST(ReplayGameLine, AcceptsNoLimitAndLimitInWholeDollarsOnly)
{
    Reader reader("");
    std::string id;
    reader.sequencer.parse_header1(game_line, id);
    EXPECT_EQ(id, "12345");
    reader.sequencer.parse_header1(
        "PokerStars Game #7:  Hold'em Limit ($2/$4) - 2009/04/25 - 15:54:55 (ET)", id);
    EXPECT_EQ(id, "7");

    for (const std::string& bad :
         std::vector<std::string>{"PokerStars Game #7:  Hold'em Pot Limit ($1/$2) - 2009/04/25 - 15:54:55 (ET)",
          "PokerStars Game #7: Hold'em No Limit ($1/$2) - 2009/04/25 - 15:54:55 (ET)",
          "PokerStars Game #7:  Hold'em No Limit ($0.01/$0.02) - 2009/04/25 - 15:54:55 (ET)",
          "PokerStars Game #7:  Hold'em No Limit ($1/$2) - 2009/04/25 15:54:55 ET",
          "x" + game_line, game_line + "x", ""}) {
        EXPECT_EQ(stop_message([&] { reader.sequencer.parse_header1(bad, id); }),
                  "Malformed game header1")
            << bad;
    }
}

TEST(ReplayTableLine, GivesNameAndButtonOfASixMaxTable)
{
    Reader reader("");
    std::string name;
    unsigned button = 0;
    reader.sequencer.parse_header2("Table 'Alpha 2' 6-max Seat #3 is the button", name, button);
    EXPECT_EQ(name, "Alpha 2");
    EXPECT_EQ(button, 3u);
    // The name class runs from 'A' to 'z', which takes in the underscore and brackets.
    reader.sequencer.parse_header2("Table 'a_[b]' 6-max Seat #0 is the button", name, button);
    EXPECT_EQ(name, "a_[b]");
    reader.sequencer.parse_header2("Table '' 6-max Seat #1 is the button", name, button);
    EXPECT_EQ(name, "");

    for (const std::string& bad : std::vector<std::string>{"Table 'Alpha' 9-max Seat #3 is the button",
                                  "Table 'Al-pha' 6-max Seat #3 is the button",
                                  "Table 'Alpha' 6-max Seat #10 is the button"}) {
        EXPECT_EQ(stop_message([&] { reader.sequencer.parse_header2(bad, name, button); }),
                  "Malformed game header2")
            << bad;
    }
}

TEST(ReplaySeatLines, PlayerAfterTheButtonComesFirstAndTheButtonLast)
{
    Reader reader("Seat 1: Ann ($100 in chips)\nSeat 2: Bob ($100 in chips)\n"
                  "Seat 4: Cid ($100 in chips)\nSeat 5: Dan ($5.50 in chips)\n"
                  "Seat 6: Eve Two ($100 in chips)\nDan: posts small blind $1\n");
    std::vector<std::string> players;
    reader.sequencer.parse_seats(players, 4);
    EXPECT_EQ(players, (std::vector<std::string>{"Dan", "Eve Two", "Ann", "Bob", "Cid"}));
    EXPECT_EQ(reader.sequencer.peek_line(), "Dan: posts small blind $1");
}

TEST(ReplaySeatLines, SeatCountAndButtonFaults)
{
    const std::string two = "Seat 1: Ann ($100 in chips)\nSeat 2: Bob ($100 in chips)\n";
    const auto message = [](const std::string& seats, unsigned button) {
        Reader reader(seats + "Ann: posts small blind $1\n");
        std::vector<std::string> players;
        return stop_message([&] { reader.sequencer.parse_seats(players, button); });
    };
    std::string seventeen;
    for (int seat = 1; seat <= 17; ++seat)
        seventeen += "Seat " + std::to_string(seat) + ": P" + std::to_string(seat) + " ($1 in chips)\n";
    const std::string sixteen = seventeen.substr(0, seventeen.rfind("Seat 17"));

    EXPECT_EQ(message("", 1), "Error parsing seat names");
    EXPECT_EQ(message("Seat 1: Ann ($100 in chips)\n", 1), "Too few players");
    EXPECT_EQ(message(two, 3), "Failed to find button");
    EXPECT_EQ(message(two + "Seat 4294967296: Cid ($1 in chips)\n", 1), "Error parsing seat names");
    EXPECT_EQ(message(seventeen, 1), "Too many players");
    EXPECT_EQ(message(sixteen, 16), "");
}

TEST(ReplaySeatLines, ARemarkAfterTheChipsEndsTheListAndIsNoBlind)
{
    Reader reader("Seat 1: Ann ($100 in chips)\nSeat 2: Bob ($100 in chips)\n"
                  "Seat 3: Cid ($100 in chips) is sitting out\nBob: posts small blind $1\n");
    std::vector<std::string> players;
    reader.sequencer.parse_seats(players, 1);
    EXPECT_EQ(players, (std::vector<std::string>{"Bob", "Ann"}));
    EXPECT_EQ(stop_message([&] { reader.sequencer.request_blind("Bob"); }), "Malformed blind bet");
}

TEST(ReplayBlindLine, WordSmallOrBigIsNotComparedButTheNameIs)
{
    Reader reader("Bob: posts big blind $2\nCid: posts small blind $0.50\n"
                  "Ann: posts small blind $1\nAnn: posts small blind $1.2.3\n"
                  "Ann: posts small blind $.\n");
    EXPECT_EQ(reader.sequencer.request_blind("Bob"), 2.0f);
    EXPECT_EQ(reader.sequencer.request_blind("Cid"), 0.5f);
    EXPECT_EQ(stop_message([&] { reader.sequencer.request_blind("Bob"); }), "Name mismatch");
    EXPECT_EQ(stop_message([&] { reader.sequencer.request_blind("Ann"); }), "Malformed blind bet");
    EXPECT_EQ(stop_message([&] { reader.sequencer.request_blind("Ann"); }), "Malformed blind bet");
    EXPECT_EQ(reader.status_row(StreamSequencer::request_row), "Request: Blind bet for Ann");
}

TEST(ReplayMoveLine, RaiseIsTheAmountRaisedByAndEveryCallIsZero)
{
    Reader reader("");
    const auto move = [&](const std::string& text) {
        std::string player;
        Sequencer::Move result;
        result.amount = 99;
        reader.sequencer.parse_move(text, player, result);
        EXPECT_EQ(player, "Bob") << text;
        return result.amount;
    };
    EXPECT_EQ(move("Bob: raises $4 to $6"), 4.0f);
    EXPECT_EQ(move("Bob: raises $2.50 to $4.50"), 2.5f);
    EXPECT_EQ(move("Bob: bets $10 and is all-in"), 10.0f);
    EXPECT_EQ(move("Bob: calls $2"), 0.0f);
    EXPECT_EQ(move("Bob: calls $3 and is all-in"), 0.0f);
    EXPECT_EQ(move("Bob: checks"), 0.0f);
    EXPECT_EQ(move("Bob: folds"), -1.0f);
}

TEST(ReplayMoveLine, LinesThatAreNoMoveStop)
{
    Reader reader("");
    for (const std::string& bad :
         std::vector<std::string>{"Bob: folds [Ah Kd]", "Dealt to Bob [Ah Kd]", "Bob: raises", "Bob: bets $1.2.3",
          "Bob: raises $.", "Bob: shows [Ah Kd]", "Bob.x: folds", ""}) {
        std::string player;
        Sequencer::Move result;
        EXPECT_EQ(stop_message([&] { reader.sequencer.parse_move(bad, player, result); }),
                  "Malformed move")
            << bad;
    }
}

TEST(ReplayMoveLine, MoveOfAnotherPlayerIsANameMismatch)
{
    Reader reader("Ann: checks\n");
    EXPECT_EQ(stop_message([&] { reader.sequencer.request_move("Bob"); }), "Name mismatch");
}

TEST(ReplayStreetLine, HoleCardsStayUnknownWhateverTheLineShows)
{
    Reader reader("*** HOLE CARDS ***\n*** HOLE CARDS *** [Ah Kd]\n");
    for (int i = 0; i < 2; ++i) {
        const std::vector<Card> cards = reader.sequencer.request_cards(Game::hole);
        ASSERT_EQ(cards.size(), 2u);
        EXPECT_TRUE(cards[0].is_unknown());
        EXPECT_TRUE(cards[1].is_unknown());
    }
}

TEST(ReplayStreetLine, TurnAndRiverTakeTheCardOfTheSecondBracket)
{
    Reader reader("*** FLOP *** [Ah 7c 2d]\n*** TURN *** [Ah 7c 2d] [Ks]\n"
                  "*** RIVER *** [Ah 7c 2d Ks] [Tc]\n");
    EXPECT_EQ(reader.sequencer.request_cards(Game::flop),
              (std::vector<Card>{Card(12, Card::hearts), Card(5, Card::clubs),
                                 Card(0, Card::diamonds)}));
    EXPECT_EQ(reader.sequencer.request_cards(Game::turn), std::vector<Card>{Card(11, Card::spades)});
    EXPECT_EQ(reader.sequencer.request_cards(Game::river), std::vector<Card>{Card(8, Card::clubs)});
    EXPECT_EQ(reader.status_row(StreamSequencer::request_row), "Request: Cards for river");
}

TEST(ReplayStreetLine, FaultsOfTheStreetLine)
{
    const auto message = [](const std::string& text, Game::Round round) {
        Reader reader(text + "\n");
        return stop_message([&] { reader.sequencer.request_cards(round); });
    };
    EXPECT_EQ(message("*** TURN *** [Ks]", Game::turn), "Malformed flop");
    EXPECT_EQ(message("*** FLOP *** [Ah 7c]", Game::flop), "Malformed flop");
    EXPECT_EQ(message("*** FLOP ***", Game::flop), "Malformed flop");
    EXPECT_EQ(message("*** FLOP *** [ah 7c 2d]", Game::flop), "Malformed cards");
    EXPECT_EQ(message("*** FLOP *** [Ah 7c 2d] extra", Game::flop), "Malformed cards");
    EXPECT_EQ(message("*** TURN *** [Ah 7c 2d] [Ks]", Game::flop), "Round mismatch");
    EXPECT_EQ(message("*** SHOW DOWN ***", Game::river), "Malformed cards");
}

TEST(ReplayPotLine, TotalAndRakeOrMalformedPot)
{
    Reader reader("");
    float pot = 0;
    float rake = 0;
    reader.sequencer.parse_pot("Total pot $12.25 | Rake $0.60", pot, rake);
    EXPECT_EQ(pot, 12.25f);
    EXPECT_EQ(rake, 0.6f);
    for (const std::string& bad : std::vector<std::string>{"Total pot $12 | Rake $0 | Side pot $3", "Total pot $1.2.3 | Rake $0",
                                  "Total pot $12| Rake $0", "Total pot 12 | Rake $0"}) {
        EXPECT_EQ(stop_message([&] { reader.sequencer.parse_pot(bad, pot, rake); }), "Malformed pot")
            << bad;
    }
}

TEST(ReplayNewGame, ReadsGameTableAndSeatLinesAndLeavesTheBlind)
{
    Reader reader(game_line + "\nTable 'Alpha' 6-max Seat #1 is the button\n"
                  "Seat 1: Ann ($100 in chips)\nSeat 2: Bob ($100 in chips)\n"
                  "Bob: posts small blind $1\n");
    const Sequencer::NewGame game = reader.sequencer.request_new_game(16);
    EXPECT_EQ(game.game_id, "12345");
    EXPECT_EQ(game.table_name, "Alpha");
    EXPECT_EQ(game.players, (std::vector<std::string>{"Bob", "Ann"}));
    EXPECT_EQ(reader.sequencer.peek_line(), "Bob: posts small blind $1");
    EXPECT_EQ(reader.status_row(StreamSequencer::request_row), "Request: New Game");
}

TEST(ReplayNewGame, PlayerLimitOfTheDriverIsKept)
{
    Reader reader(game_line + "\nTable 'Alpha' 6-max Seat #1 is the button\n"
                  "Seat 1: Ann ($100 in chips)\nSeat 2: Bob ($100 in chips)\n"
                  "Seat 3: Cid ($100 in chips)\n");
    EXPECT_EQ(stop_message([&] { reader.sequencer.request_new_game(2); }), "Too many players");
}
