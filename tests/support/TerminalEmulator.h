#ifndef CORVALD_TESTS_SUPPORT_TERMINAL_EMULATOR_H
#define CORVALD_TESTS_SUPPORT_TERMINAL_EMULATOR_H

#include <string>
#include <string_view>
#include <utility>

#include "console/Surface.h"

struct VTerm;
struct VTermScreen;

namespace console::test {

// A terminal in memory (libvterm, an xterm-compatible emulator): tests feed it what the
// terminal console writes and read back what a user would see, cell by cell.
class TerminalEmulator {
public:
    // A colour as the tests compare it: an ANSI palette index 0 to 15, or `default_colour`.
    static constexpr int default_colour = -1;
    // What a cell shows; a cell never written is a blank in the default colours.
    struct Shown {
        char32_t ch = U' ';
        int foreground = default_colour;
        int background = default_colour;
        bool operator==(const Shown& o) const
        {
            return ch == o.ch && foreground == o.foreground && background == o.background;
        }
    };

    TerminalEmulator(int columns, int rows);
    ~TerminalEmulator();
    TerminalEmulator(const TerminalEmulator&) = delete;
    TerminalEmulator& operator=(const TerminalEmulator&) = delete;

    void feed(std::string_view bytes);

    Shown at(int x, int y) const;
    // `length` characters of row y from column x; '?' stands for any non-ASCII one.
    std::string text(int x, int y, int length) const;
    // Empty when the `columns` x `rows` cells at the top left show the surface: each
    // cell's character (code page 437 as Unicode) and colours (a plain cell in the
    // defaults, any other in the palette colours of its attribute); else the differences.
    std::string differences(const Surface& surface, int columns, int rows) const;
    // Empty when every cell outside the `columns` x `rows` at the top left is blank.
    std::string written_outside(int columns, int rows) const;

    // The cursor's column and row.
    std::pair<int, int> cursor() const;
    bool cursor_visible() const { return cursor_visible_; }
    bool alternate_screen() const { return alternate_screen_; }

private:
    int columns_;
    int rows_;
    VTerm* terminal_;
    VTermScreen* screen_;
    bool cursor_visible_ = true;
    bool alternate_screen_ = false;
};

} // namespace console::test

#endif
