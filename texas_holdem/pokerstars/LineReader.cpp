#include "texas_holdem/pokerstars/LineReader.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "texas_holdem/pokerstars/HandHistoryError.h"

namespace poker::texas_holdem::pokerstars {

namespace {

// How much of an over-long line is kept, and the remark that replaces the rest. The
// remark ends in "]" after text that is no card and is no section line, so no grammar
// accepts the line: it can only be skipped or rejected.
constexpr std::size_t overlong_kept = 40;
const std::string overlong_remark = " [longer than 4096 characters]";

// The UTF-8 byte-order mark that Windows tools write before a file's first line.
constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

// White space as the classic locale classifies it, without asking a locale.
bool is_blank(char ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

} // namespace

LineReader::LineReader(std::istream& in, SkipLine skip) : stream(in), skip(skip)
{
}

bool LineReader::peek(std::string_view& text)
{
    while (!buffered) {
        if (!fetch())
            return false;
        buffered = skip == nullptr || !skip(line);
    }
    text = line;
    return true;
}

void LineReader::consume()
{
    buffered = false;
}

bool LineReader::at_end()
{
    std::string_view ignored;
    return !peek(ignored);
}

// Like std::getline into a buffer of max_line_length characters; a longer line keeps its
// start and the rest is read and dropped (see drop_rest_of_line).
bool LineReader::fetch()
{
    if (ended)
        return false;
    char buffer[max_line_length + 1];
    // Stores at most max_line_length characters; fails when the line holds more, and when
    // nothing at all is left.
    stream.getline(buffer, sizeof buffer);
    auto length = static_cast<std::size_t>(stream.gcount());
    if (stream.bad())
        throw HandHistoryError("the input cannot be read after line " + std::to_string(number),
                               number + 1);
    if (length == 0 && stream.fail()) {
        ended = true;
        return false;
    }
    ++number;
    const bool overlong = stream.fail() && !stream.eof() && length == max_line_length;
    if (!overlong && !stream.eof())
        --length; // the newline, counted but not stored
    if (std::memchr(buffer, '\0', length) != nullptr)
        not_text("holds a NUL byte");
    if (overlong) {
        stream.clear(stream.rdstate() & ~std::ios::failbit);
        drop_rest_of_line(length);
    }
    if (stream.eof())
        ended = true;

    const char* first = buffer;
    const char* last = buffer + length;
    if (length >= byte_order_mark.size()
        && std::equal(byte_order_mark.begin(), byte_order_mark.end(), first))
        first += byte_order_mark.size();
    while (first != last && is_blank(*first))
        ++first;
    while (last != first && is_blank(last[-1]))
        --last;
    line.assign(first, last);
    if (overlong) {
        line.resize(std::min(line.size(), overlong_kept));
        line += overlong_remark;
    }
    return true;
}

// The rest is read in buffer-sized pieces, so memory stays bounded however long the line
// is, and the reading stops as soon as the line can no longer be text.
void LineReader::drop_rest_of_line(std::size_t length_so_far)
{
    char buffer[max_line_length + 1];
    for (;;) {
        stream.getline(buffer, sizeof buffer);
        auto length = static_cast<std::size_t>(stream.gcount());
        const bool more = stream.fail() && !stream.eof() && length == max_line_length;
        if (!more && length > 0 && !stream.eof())
            --length;
        if (std::memchr(buffer, '\0', length) != nullptr)
            not_text("holds a NUL byte");
        length_so_far += length;
        if (length_so_far > max_text_line)
            not_text("has not ended within 1 MiB");
        if (!more)
            return;
        stream.clear(stream.rdstate() & ~std::ios::failbit);
    }
}

void LineReader::not_text(const char* what) const
{
    throw HandHistoryError("Not a text file: line " + std::to_string(number) + " " + what, number);
}

} // namespace poker::texas_holdem::pokerstars
