#ifndef CORVALD_CONSOLE_TERMINALRENDERER_H
#define CORVALD_CONSOLE_TERMINALRENDERER_H

#include <string>
#include <string_view>
#include <vector>

#include "console/Surface.h"

namespace console {

// Turns a Surface into the bytes that make a VT/ANSI terminal (xterm and its descendants)
// show it. Keeps its own picture of what the terminal shows (one entry per surface cell,
// plus where the terminal's cursor stands and which colours are set), so each render writes
// only the cells that changed since the last one, changes the colours only where they
// differ from the previous cell written, and moves the cursor only where the next changed
// cell is not the one the cursor already stands on.
//
// Cells become Unicode (CodePage437) in the 16 ANSI colours (AnsiColour); plain cells take
// the terminal's own default colours. Nothing is written outside the terminal's size: a
// terminal smaller than the surface shows the part that fits and, on its last row, a notice
// with the size the surface needs. Pure: knows no file descriptor, no clock, no signal.
class TerminalRenderer {
public:
    // Assumes a terminal exactly the size of the default surface until told otherwise.
    TerminalRenderer();

    // The terminal's size in cells. A change repaints the whole terminal at the next render.
    void set_terminal_size(int columns, int rows);
    int terminal_columns() const { return terminal_columns_; }
    int terminal_rows() const { return terminal_rows_; }

    // Forgets what the terminal shows, its colours and cursor included (a failed write may
    // have left them anywhere): the next render resets them, clears and paints every cell.
    void invalidate()
    {
        repaint_ = true;
        style_ = unknown_style;
        cursor_x_ = -1;
    }

    // The bytes that bring the terminal from what it showed after the previous render to
    // `surface`. With `show_cursor` they end with the terminal's cursor visible at the
    // surface's live cursor and the colours at the terminal's defaults, so that what the
    // user types echoes where the program expects it; otherwise the cursor is hidden.
    //
    // After a render that showed the cursor, the next one first blanks the rest of that
    // row: the terminal may have echoed typing there that the surface knows nothing of.
    //
    // The bytes stay valid until the next call. No allocation once a surface of the same
    // size has been rendered, so the render can run from a signal handler.
    std::string_view render(const Surface& surface, bool show_cursor);

    // Whether a terminal of this size is too small for the surface (and shows the notice).
    bool too_small(const Surface& surface) const;

    // The notice a too small terminal shows on its last row: the longest wording that
    // fits its width, from "Terminal too small: needs 58 x 60, has 40 x 20" down to
    // "Needs 58x60 or more" (cut only below 19 columns).
    static std::string notice(int surface_columns, int surface_rows, int terminal_columns,
                              int terminal_rows);

private:
    // What one terminal cell shows: the code page 437 byte and the style key (below).
    struct Shown {
        char ch;
        unsigned short style;
        bool operator==(const Shown& other) const { return ch == other.ch && style == other.style; }
    };

    // Style keys: a console attribute's low byte (the 16 colours), the terminal's default
    // colours, or not known (forces the next colour change to be written in full).
    static constexpr unsigned short plain_style = 0x100;
    static constexpr unsigned short unknown_style = 0xFFFF;
    static unsigned short style_of(const Cell& cell);

    void fit_to(const Surface& surface);
    void blank_echo_row(const Surface& surface);
    void clear_screen();
    void paint_cells(const Surface& surface, int columns, int rows);
    void paint_notice(const Surface& surface);
    void place_cursor(const Surface& surface, int columns, int rows);

    // The primitives: each appends to out_ and keeps the cursor and style state true.
    void move_to(int x, int y);
    void set_style(unsigned short style);
    void put(char ch, unsigned short style, int x);
    void append_number(int value);
    void append_csi(int value, char final);

    // Writes the notice into `buffer` (no allocation) and returns its length.
    static std::size_t format_notice(char* buffer, std::size_t capacity, int surface_columns,
                                     int surface_rows, int terminal_columns, int terminal_rows);

    int terminal_columns_;
    int terminal_rows_;
    int surface_columns_ = 0;
    std::vector<Shown> shown_;
    bool repaint_ = true;
    bool notice_shown_ = false;

    // The terminal's cursor (-1: not known) and colours.
    int cursor_x_ = -1;
    int cursor_y_ = -1;
    unsigned short style_ = unknown_style;
    // Not known at first: the first render hides it.
    bool cursor_visible_ = true;

    // Where the cursor was left visible, i.e. where typing may have been echoed.
    int echo_x_ = -1;
    int echo_y_ = -1;

    std::string out_;
};

} // namespace console

#endif
