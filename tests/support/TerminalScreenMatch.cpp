#include "support/TerminalScreenMatch.h"

#include <sstream>

#include "console/CodePage437.h"

namespace console::test {

namespace {

constexpr int reported_differences = 5;

// The palette index a console colour nibble is expected as: the console's blue, green and
// red bits are ANSI's 4, 2 and 1, and intensity selects the upper eight.
int expected_index(unsigned nibble)
{
    return ((nibble & 4) ? 1 : 0) | ((nibble & 2) ? 2 : 0) | ((nibble & 1) ? 4 : 0)
         | ((nibble & 8) ? 8 : 0);
}

void append_utf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string screen_differences(const TerminalEmulator& terminal, const Surface& surface,
                               int columns, int rows)
{
    std::ostringstream report;
    int found = 0;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            const Cell& cell = surface.cell(x, y);
            const int foreground = cell.plain ? TerminalEmulator::default_colour
                                              : expected_index(cell.attribute & 0x0Fu);
            const int background = cell.plain ? TerminalEmulator::default_colour
                                              : expected_index((cell.attribute >> 4) & 0x0Fu);
            const char32_t ch = CodePage437::to_unicode(cell.ch);
            if (terminal.character(x, y) == ch && terminal.foreground(x, y) == foreground
                && terminal.background(x, y) == background)
                continue;
            if (++found <= reported_differences)
                report << "(" << x << "," << y << "): shows U+" << std::hex
                       << static_cast<unsigned long>(terminal.character(x, y)) << " fg "
                       << std::dec << terminal.foreground(x, y) << " bg "
                       << terminal.background(x, y) << ", wanted U+" << std::hex
                       << static_cast<unsigned long>(ch) << " fg " << std::dec << foreground
                       << " bg " << background << "\n";
        }
    }
    if (found > reported_differences)
        report << found << " cells differ in all\n";
    return report.str();
}

std::string writes_outside(const TerminalEmulator& terminal, int terminal_columns,
                           int terminal_rows, int columns, int rows)
{
    for (int y = 0; y < terminal_rows; ++y)
        for (int x = 0; x < terminal_columns; ++x) {
            if (x < columns && y < rows)
                continue;
            if (terminal.character(x, y) != U' '
                || terminal.foreground(x, y) != TerminalEmulator::default_colour
                || terminal.background(x, y) != TerminalEmulator::default_colour)
                return "cell (" + std::to_string(x) + "," + std::to_string(y) + ") was written";
        }
    return "";
}

std::string row_text(const TerminalEmulator& terminal, int x, int y, int length)
{
    std::string text;
    for (int i = 0; i < length; ++i)
        append_utf8(text, terminal.character(x + i, y));
    return text;
}

} // namespace console::test
