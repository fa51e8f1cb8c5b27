#include "texas_holdem/pokerstars/LineReader.h"

#include <sstream>
#include <string>
#include <vector>

using namespace std::string_literals;

#include <gtest/gtest.h>

#include "support/ReplayHarness.h"

using poker::texas_holdem::pokerstars::LineReader;

namespace {

// Every line the reader hands out, each with its number.
std::vector<std::string> all_lines(const std::string& text, LineReader::SkipLine skip = nullptr)
{
    std::istringstream in(text);
    LineReader reader(in, skip);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.peek(line)) {
        lines.push_back(std::to_string(reader.line_number()) + ":" + std::string(line));
        reader.consume();
    }
    return lines;
}

// The message and line of the fault reading `text` stops with; "" when it reads to the end.
std::string fault(const std::string& text)
{
    return corvald_test::hand_history_fault([&] { all_lines(text); });
}

} // namespace

TEST(LineReader, TrimsDropsMarksAndSkippedLinesAndNumbersByPlaceInTheInput)
{
    const auto starts_with_hash = [](std::string_view line) { return !line.empty() && line.front() == '#'; };
    EXPECT_EQ(all_lines("  a b \r\n\n\t\n# skipped\n\uFEFFc\r\nlast", starts_with_hash),
              (std::vector<std::string>{"1:a b", "2:", "3:", "5:c", "6:last"}));
    EXPECT_TRUE(all_lines("").empty());
    EXPECT_TRUE(all_lines("# only skipped\n", starts_with_hash).empty());
}

TEST(LineReader, PeekKeepsTheLineUntilConsumedAndTheEndStaysTheEnd)
{
    std::istringstream in("one\ntwo\n");
    LineReader reader(in);
    std::string_view line;
    ASSERT_TRUE(reader.peek(line));
    ASSERT_TRUE(reader.peek(line));
    EXPECT_EQ(line, "one");
    EXPECT_EQ(reader.line_number(), 1u);
    reader.consume();
    EXPECT_FALSE(reader.holds_line());
    EXPECT_EQ(reader.last_line(), "one");
    ASSERT_TRUE(reader.peek(line));
    EXPECT_EQ(line, "two");
    reader.consume();
    EXPECT_TRUE(reader.at_end());
    EXPECT_TRUE(reader.at_end());
    EXPECT_EQ(reader.line_number(), 2u);
}

// A line at the limit is kept whole; a longer one keeps its start and a remark, and its
// rest is not read as the next line.
TEST(LineReader, OverlongLineIsCutButALineAtTheLimitIsKept)
{
    const std::string at_limit(LineReader::max_line_length, 'a'), below(LineReader::max_line_length - 1, 'e');
    const auto lines = all_lines(at_limit + "\nb" + std::string(9000, 'c') + "\nd\n" + below + "\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "1:" + at_limit);
    EXPECT_LT(lines[1].size(), 100u);
    EXPECT_EQ(lines[1].substr(0, 3), "2:b");
    EXPECT_EQ(lines[2], "3:d");
    EXPECT_EQ(lines[3], "4:" + below);
}

// NUL bytes or a line without end stop the reading at once, naming the line.
TEST(LineReader, InputThatIsNoTextStopsAtTheLineThatShowsIt)
{
    EXPECT_EQ(fault("a\nb\0c\n"s), "2 Not a text file: line 2 holds a NUL byte");
    EXPECT_EQ(fault(std::string(100000, '\0')), "1 Not a text file: line 1 holds a NUL byte");
    EXPECT_EQ(fault("a\n" + std::string(9000, 'x') + '\0'), "2 Not a text file: line 2 holds a NUL byte");
    EXPECT_EQ(fault("a\n" + std::string(LineReader::max_text_line + 1, 'x')),
              "2 Not a text file: line 2 has not ended within 1 MiB");
    EXPECT_EQ(fault(std::string(LineReader::max_text_line, 'x') + "\nb"), "");
}
