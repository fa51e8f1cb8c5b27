#include "texas_holdem/pokerstars/StreamSequencer.h"

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/ReplayHarness.h"
#include "support/ScopedConsole.h"
#include "texas_holdem/pokerstars/ReplaySequencer.h"

using poker::texas_holdem::pokerstars::StreamSequencer;

// The line reader and the status rows; lines in whole hands are checked in
// ReplaySequencerTest.

namespace {

// A replay source over a text of its own, on a memory console.
struct Reader {
    explicit Reader(const std::string& text) : in(text), sequencer(in) {}

    // Status row `row` from column 1, trailing blanks cut.
    std::string row(int row) const
    {
        std::string text = screen.screen.text(1, row, console::screen_width - 1);
        return text.erase(text.find_last_not_of(' ') + 1);
    }

    console::ScopedConsole screen;
    std::istringstream in;
    poker::texas_holdem::pokerstars::ReplaySequencer sequencer;
};

} // namespace

// The echo numbers the line by its place in the input, dropped lines included; a failed
// read at the end counts too, and gives an empty line.
TEST(ReplayStatusRows, RequestReplacesTheLastFromColumnOneAboveTheNumberedEchoAndTheError)
{
    Reader reader("Bob has returned\nAnn: checks\nBob leaves the table");
    reader.sequencer.request("Blind bet for somebody with a long name");
    EXPECT_EQ(corvald_test::hand_history_fault([&] { reader.sequencer.request_move("ann"); }), "2 Name mismatch");
    EXPECT_EQ(reader.row(StreamSequencer::request_row), "Request: Move for ann");
    EXPECT_EQ(reader.row(StreamSequencer::found_row), "Found[2] Ann: checks");
    EXPECT_EQ(reader.row(StreamSequencer::error_row), "Error:   Name mismatch");
    EXPECT_EQ(reader.screen.screen.cell(0, StreamSequencer::request_row).ch, ' ');
    EXPECT_EQ(reader.sequencer.read_line(), "");
    EXPECT_EQ(reader.row(StreamSequencer::found_row), "Found[4]");
}

// An amount is the float nearest to its text, as the C library reads it: whole amounts
// beyond the float's exact integers and beyond unsigned, cents, up to eight decimals and
// fifteen digits (the fast way) and beyond.
TEST(ReplayLineParsers, AmountsBecomeTheNearestFloat)
{
    std::vector<std::string> amounts;
    std::istringstream fixed("2 0.1 007 12.40 16777217 4294967297 99999999999999999999 0.05 1. .5 "
                             "123456789.12345678 0.000000001 1234567890123456");
    for (std::string text; fixed >> text;)
        amounts.push_back(text);
    std::mt19937_64 random(11);
    for (int i = 0; i < 2000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 15);
        std::string text = std::to_string(random() % 1000000000000000ull).substr(0, digits);
        const auto decimals = random() % 9;
        if (decimals > 0 && decimals < text.size())
            text.insert(text.size() - decimals, ".");
        amounts.push_back(text);
    }
    for (const std::string& text : amounts) {
        Reader reader("Ann: posts small blind $" + text + "\n");
        ASSERT_EQ(reader.sequencer.request_blind("Ann"), std::strtof(text.c_str(), nullptr)) << text;
    }
}

// A long line is echoed only as far as its row goes, and every row is blanked from column
// 0, where the hand loop's "Hand #" would otherwise leave its first letter.
TEST(ReplayStatusRows, EchoStopsAtTheRowsEdgeAndRowsAreBlankedOverTheWholeWidth)
{
    Reader reader("Bob: " + std::string(100, 'x') + "\n");
    console::Console::current().write_characters(0, StreamSequencer::request_row, "Hand #7", 7);
    reader.sequencer.request("New Game");
    reader.sequencer.peek_line();
    EXPECT_EQ(reader.screen.screen.cell(0, StreamSequencer::request_row).ch, ' ');
    EXPECT_EQ(reader.row(StreamSequencer::found_row).size(), console::screen_width - 1u);
    EXPECT_EQ(reader.row(StreamSequencer::error_row), "");
}
