#include "texas_holdem/pokerstars/StreamSequencer.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "console/ScopedConsole.h"
#include "support/ReplayHarness.h"
#include "texas_holdem/pokerstars/ReplaySequencer.h"

using corvald_test::ReplayStopped;
using poker::texas_holdem::pokerstars::ReplaySequencer;
using poker::texas_holdem::pokerstars::StreamSequencer;

// The line reader and the status rows; the grammar is checked on whole hands in
// ReplaySequencerTest.

namespace {

// A replay source over a text of its own, on a memory console, whose error() throws.
struct Reader {
    explicit Reader(const std::string& text) : in(text), sequencer(in)
    {
        corvald_test::stop_by_throwing(sequencer);
    }

    // Status row `row` from column 1, trailing blanks cut.
    std::string row(int row) const
    {
        std::string text = screen.screen.text(1, row, console::screen_width - 1);
        return text.erase(text.find_last_not_of(' ') + 1);
    }

    // The next `count` lines, consumed.
    std::vector<std::string> read_lines(int count)
    {
        std::vector<std::string> lines;
        while (count-- > 0)
            lines.push_back(sequencer.read_line());
        return lines;
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

} // namespace

// The failed read at the end must not leave a dropped attendance line in the buffer,
// where it would be dropped again for ever.
TEST(ReplayLineReader, TrimsLinesAndGivesEmptyLinesAtTheEndWhileCountingEveryRead)
{
    Reader reader("  Bob: folds \r\n\t \r\nnext");
    EXPECT_EQ(reader.read_lines(4), (std::vector<std::string>{"Bob: folds", "", "next", ""}));
    EXPECT_TRUE(reader.sequencer.input_exhausted());
    EXPECT_EQ(reader.sequencer.lines_read(), 4u);

    Reader attendance_last("Bob: folds\nBob leaves the table");
    EXPECT_EQ(attendance_last.read_lines(3), (std::vector<std::string>{"Bob: folds", "", ""}));
    EXPECT_EQ(attendance_last.sequencer.lines_read(), 4u);
}

TEST(ReplayLineReader, DropsWholeAttendanceAndChatLinesOnly)
{
    const std::vector<std::string> dropped = {
        "Bob joins the table at seat #4", "Bob: sits out", "Bob is sitting out", "Grind N has returned",
        "Bob will be allowed to play after the button", "Bob has timed out", "Bob_2 leaves the table",
        "Bob said, \"gg all\""};
    const std::vector<std::string> kept = {
        "Bob said, \"say \"hi\"\"", "Bob.x joins the table at seat #2", "Bob-y has returned",
        "Bob joins the table at seat #", "Bob: folds"};
    for (const std::string& line : dropped) {
        Reader reader(line + "\nnext\n");
        EXPECT_EQ(reader.sequencer.read_line(), "next") << line;
        EXPECT_EQ(reader.sequencer.lines_read(), 2u);
    }
    for (const std::string& line : kept)
        EXPECT_EQ(Reader(line + "\n").sequencer.read_line(), line);
}

TEST(ReplayLineReader, RemovesAByteOrderMarkOnlyAtTheStartOfTheInput)
{
    Reader reader("\xEF\xBB\xBFPokerStars\n\xEF\xBB\xBFPokerStars\n");
    EXPECT_EQ(reader.read_lines(2), (std::vector<std::string>{"PokerStars", "\xEF\xBB\xBFPokerStars"}));
}

// The rest of an over-long line is dropped, not read as the next line, and blanks inside
// cannot bring it back under the limit.
TEST(ReplayLineReader, OverlongLineIsCutAndMatchesNoPatternButALineAtTheLimitIsKept)
{
    Reader reader("Bob: folds" + std::string(5000, ' ') + "x\nBob: folds\n");
    EXPECT_LT(reader.sequencer.peek_line().size(), 100u);
    EXPECT_EQ(stop_message([&] { reader.sequencer.request_move("Bob"); }), "Malformed move");
    EXPECT_EQ(reader.sequencer.read_line(), "Bob: folds");
    EXPECT_EQ(reader.sequencer.lines_read(), 2u);

    const std::string name(StreamSequencer::max_line_length - std::string(": folds").size(), 'a');
    Reader at_limit(name + ": folds\n");
    EXPECT_EQ(at_limit.sequencer.request_move(name), -1.0f);
}

// The echo numbers the line by its place in the input, dropped lines included.
TEST(ReplayStatusRows, RequestReplacesTheLastFromColumnOneAboveTheNumberedEchoAndTheError)
{
    Reader reader("Bob has returned\nAnn: checks\n");
    reader.sequencer.request("Blind bet for somebody with a long name");
    EXPECT_EQ(stop_message([&] { reader.sequencer.request_move("ann"); }), "Name mismatch");
    EXPECT_EQ(reader.row(StreamSequencer::request_row), "Request: Move for ann");
    EXPECT_EQ(reader.row(StreamSequencer::found_row), "Found[2] Ann: checks");
    EXPECT_EQ(reader.row(StreamSequencer::error_row), "Error:   Name mismatch");
    EXPECT_EQ(reader.screen.screen.cell(0, StreamSequencer::request_row).ch, ' ');
}
