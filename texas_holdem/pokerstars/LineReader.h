#ifndef CORVALD_TEXAS_HOLDEM_POKERSTARS_LINEREADER_H
#define CORVALD_TEXAS_HOLDEM_POKERSTARS_LINEREADER_H

#include <cstddef>
#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

namespace poker::texas_holdem::pokerstars {

// The lines of a hand-history text with a one-line look-ahead, as every grammar reads
// them: each line trimmed of surrounding white space (so a CR LF ending loses its CR), a
// UTF-8 byte-order mark dropped at the start of any line (files joined from Windows tools
// carry one per file), and lines that the skip test accepts dropped on the way. Lines are
// numbered from 1 by their place in the input, dropped lines included.
//
// Input that is no text stops the reading with a HandHistoryError naming the line: a NUL
// byte, or a line that has not ended within max_text_line bytes. A line longer than
// max_line_length keeps only its start and a remark that no grammar accepts, so that
// memory stays bounded and the line is rejected, not read as several.
class LineReader {
public:
    // True for a (trimmed) line that the grammar never sees, such as an attendance line.
    using SkipLine = bool (*)(std::string_view line);

    // The longest line kept whole; no hand-history line comes near it.
    static constexpr std::size_t max_line_length = 4096;
    // A line still not ended after this many bytes means the input is no text at all.
    static constexpr std::size_t max_text_line = std::size_t{1} << 20;

    // Reads `in`, which must outlive the reader. Nothing is read yet.
    explicit LineReader(std::istream& in, SkipLine skip = nullptr);

    // The next line that is not skipped, without consuming it; false at the end of the
    // input. `line` stays valid until the next peek after a consume.
    bool peek(std::string_view& line);
    // Consumes the buffered line; nothing when none is buffered.
    void consume();
    // True when the input holds no further line that is not skipped.
    bool at_end();

    // The number of the buffered line; when none is buffered, of the last line read
    // (0 before the first).
    std::uint32_t line_number() const { return number; }
    // The last line handed out by peek, buffered or consumed since.
    std::string_view last_line() const { return line; }
    // True while a line is buffered.
    bool holds_line() const { return buffered; }

    void set_skip(SkipLine test) { skip = test; }

private:
    // Reads one physical line into `line`; false at the end of the input.
    bool fetch();
    // Reads and drops the rest of an over-long line, stopping at max_text_line.
    void drop_rest_of_line(std::size_t length_so_far);
    [[noreturn]] void not_text(const char* what) const;

    std::istream& stream;
    SkipLine skip;
    std::string line;
    std::uint32_t number = 0;
    bool buffered = false;
    bool ended = false;
};

} // namespace poker::texas_holdem::pokerstars

#endif
