#include "console/TerminalRenderer.h"

#include <algorithm>
#include <cassert>

#include "console/AnsiColour.h"
#include "console/CodePage437.h"

namespace console {

namespace {

// Control sequences (ECMA-48 and the DEC private modes xterm implements).
constexpr std::string_view csi = "\x1b[";
constexpr std::string_view reset_colours = "\x1b[0m";
constexpr std::string_view erase_screen = "\x1b[2J";
// Line wrap off: neither the last column nor the user's typing may push the cells after it
// into the next row (and a bottom-right cell would scroll the whole screen).
constexpr std::string_view no_line_wrap = "\x1b[?7l";
constexpr std::string_view erase_to_line_end = "\x1b[K";
constexpr std::string_view hide_cursor = "\x1b[?25l";
constexpr std::string_view show_cursor_sequence = "\x1b[?25h";

// Worst case bytes for one cell: a full cursor placement (two five-digit numbers), a full
// colour change ("\x1b[0;97;107m") and a three-byte character. The output buffer is
// reserved for every cell at that cost plus the fixed parts (cursor, echo row, notice).
constexpr std::size_t worst_bytes_per_cell = 16 + 11 + 3;
constexpr std::size_t fixed_bytes = 1024;

// A run of at most this many unchanged one-byte cells in the current colours is cheaper to
// write again than to jump over with a cursor movement ("\x1b[5C").
constexpr int max_rewritten_gap = 4;

// White on red: the notice must stand out from whatever the table shows around it.
constexpr unsigned short notice_attribute = colour::background_red | colour::foreground_red
                                            | colour::foreground_green | colour::foreground_blue
                                            | colour::foreground_intensity;
constexpr std::size_t notice_capacity = 96;

// A terminal too small to say how big it is (size 0) gets the VT100's 80 x 24, which every
// terminal is at least: assuming more could write outside it.
constexpr int fallback_columns = 80;
constexpr int fallback_rows = 24;

std::size_t append_text(char* buffer, std::size_t capacity, std::size_t at, std::string_view text)
{
    for (char ch : text)
        if (at < capacity)
            buffer[at++] = ch;
    return at;
}

std::size_t append_decimal(char* buffer, std::size_t capacity, std::size_t at, int value)
{
    char digits[12];
    int count = 0;
    unsigned magnitude = value < 0 ? 0u : static_cast<unsigned>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (count > 0 && at < capacity)
        buffer[at++] = digits[--count];
    return at;
}

} // namespace

TerminalRenderer::TerminalRenderer()
    : terminal_columns_(screen_width), terminal_rows_(screen_height)
{
}

unsigned short TerminalRenderer::style_of(const Cell& cell)
{
    // Only the 16 colours of the low byte have a meaning on a terminal; the console's
    // grid-line and reverse-video bits above them are not used by the display.
    return cell.plain ? plain_style : static_cast<unsigned short>(cell.attribute & 0xFFu);
}

void TerminalRenderer::set_terminal_size(int columns, int rows)
{
    if (columns <= 0 || rows <= 0) {
        columns = fallback_columns;
        rows = fallback_rows;
    }
    if (columns == terminal_columns_ && rows == terminal_rows_)
        return;
    terminal_columns_ = columns;
    terminal_rows_ = rows;
    repaint_ = true;
}

bool TerminalRenderer::too_small(const Surface& surface) const
{
    return terminal_columns_ < surface.width() || terminal_rows_ < surface.height();
}

// The longest wording that fits the terminal's width: the full sentence, then shorter
// ones; the shortest (19 characters) fits any terminal of 20 columns or more whatever the
// sizes. Narrower terminals get it cut.
std::size_t TerminalRenderer::format_notice(char* buffer, std::size_t capacity, int surface_columns,
                                            int surface_rows, int terminal_columns,
                                            int terminal_rows)
{
    struct Wording {
        std::string_view opening, by, between;
        bool with_terminal_size;
    };
    static constexpr Wording wordings[] = {
        {"Terminal too small: needs ", " x ", ", has ", true},
        {"Too small: needs ", "x", ", has ", true},
        {"Needs ", "x", ", has ", true},
        {"Needs ", "x", " or more", false},
    };
    const auto fits = static_cast<std::size_t>(std::max(terminal_columns, 0));
    std::size_t at = 0;
    for (const Wording& wording : wordings) {
        at = append_text(buffer, capacity, 0, wording.opening);
        at = append_decimal(buffer, capacity, at, surface_columns);
        at = append_text(buffer, capacity, at, wording.by);
        at = append_decimal(buffer, capacity, at, surface_rows);
        at = append_text(buffer, capacity, at, wording.between);
        if (wording.with_terminal_size) {
            at = append_decimal(buffer, capacity, at, terminal_columns);
            at = append_text(buffer, capacity, at, wording.by);
            at = append_decimal(buffer, capacity, at, terminal_rows);
        }
        if (at <= fits)
            return at;
    }
    return std::min(at, fits);
}

std::string TerminalRenderer::notice(int surface_columns, int surface_rows, int terminal_columns,
                                     int terminal_rows)
{
    char buffer[notice_capacity];
    const std::size_t length = format_notice(buffer, sizeof buffer, surface_columns, surface_rows,
                                             terminal_columns, terminal_rows);
    return std::string(buffer, length);
}

std::string_view TerminalRenderer::render(const Surface& surface, bool show_cursor)
{
    out_.clear();
    fit_to(surface);

    if (cursor_visible_) {
        out_ += hide_cursor;
        cursor_visible_ = false;
        if (!repaint_)
            blank_echo_row(surface);
    }
    if (repaint_)
        clear_screen();

    // A too small terminal keeps its last row for the notice (or the row below the
    // surface, where there is one).
    const bool small = too_small(surface);
    const int columns = std::min(surface.width(), terminal_columns_);
    const int notice_row = std::min(terminal_rows_ - 1, surface.height());
    const int rows = small ? std::min(surface.height(), notice_row) : surface.height();

    paint_cells(surface, columns, rows);
    if (small && !notice_shown_)
        paint_notice(surface);
    if (show_cursor)
        place_cursor(surface, columns, rows);
    return out_;
}

void TerminalRenderer::fit_to(const Surface& surface)
{
    const std::size_t cells =
        static_cast<std::size_t>(surface.width()) * static_cast<std::size_t>(surface.height());
    if (surface.width() == surface_columns_ && shown_.size() == cells)
        return;
    surface_columns_ = surface.width();
    shown_.assign(cells, Shown{' ', unknown_style});
    out_.reserve(cells * worst_bytes_per_cell + fixed_bytes);
    repaint_ = true;
}

// Cooked-mode echo writes the user's typing at the cursor, in the current colours, until
// Enter; the cursor was left on the input row with line wrap off, so the typing stays on
// that row. Blanking the row from there and noting it as blank makes the diff repaint
// whatever the surface has there.
void TerminalRenderer::blank_echo_row(const Surface& surface)
{
    if (echo_y_ < 0 || echo_y_ >= terminal_rows_)
        return;
    cursor_x_ = -1;
    move_to(echo_x_, echo_y_);
    set_style(plain_style);
    out_ += erase_to_line_end;
    if (echo_y_ < surface.height()) {
        const auto row =
            static_cast<std::size_t>(echo_y_) * static_cast<std::size_t>(surface_columns_);
        for (int x = echo_x_; x < surface_columns_; ++x)
            shown_[row + static_cast<std::size_t>(x)] = Shown{' ', plain_style};
    }
    if (echo_y_ == std::min(terminal_rows_ - 1, surface.height()))
        notice_shown_ = false;
    echo_x_ = echo_y_ = -1;
}

void TerminalRenderer::clear_screen()
{
    set_style(plain_style);
    out_ += no_line_wrap;
    out_ += erase_screen;
    std::fill(shown_.begin(), shown_.end(), Shown{' ', plain_style});
    notice_shown_ = false;
    echo_x_ = echo_y_ = -1;
    repaint_ = false;
}

void TerminalRenderer::paint_cells(const Surface& surface, int columns, int rows)
{
    for (int y = 0; y < rows; ++y) {
        Shown* row =
            &shown_[static_cast<std::size_t>(y) * static_cast<std::size_t>(surface_columns_)];
        for (int x = 0; x < columns; ++x) {
            const Cell& cell = surface.cell(x, y);
            const Shown wanted{cell.ch, style_of(cell)};
            if (row[x] == wanted)
                continue;
            move_to(x, y);
            set_style(wanted.style);
            put(wanted.ch, wanted.style, x);
            row[x] = wanted;
        }
    }
}

void TerminalRenderer::paint_notice(const Surface& surface)
{
    char text[notice_capacity];
    const std::size_t length = format_notice(text, sizeof text, surface.width(), surface.height(),
                                             terminal_columns_, terminal_rows_);
    const int row = std::min(terminal_rows_ - 1, surface.height());
    cursor_x_ = -1;
    move_to(0, row);
    set_style(notice_attribute);
    for (std::size_t i = 0; i < length; ++i)
        put(text[i], notice_attribute, static_cast<int>(i));
    if (static_cast<int>(length) < terminal_columns_) {
        set_style(plain_style);
        out_ += erase_to_line_end;
    }
    notice_shown_ = true;
    // The notice row lies outside the cells the gap rewriting knows.
    cursor_x_ = -1;
}

void TerminalRenderer::place_cursor(const Surface& surface, int columns, int rows)
{
    // The live cursor may stand one past the last cell written (or outside a small
    // terminal); the terminal's cursor goes to the nearest cell it has.
    const int x =
        std::clamp(surface.cursor_x(), 0, std::max(std::min(columns, terminal_columns_) - 1, 0));
    const int y = std::clamp(surface.cursor_y(), 0, std::max(std::min(rows, terminal_rows_) - 1, 0));
    set_style(plain_style);
    move_to(x, y);
    out_ += show_cursor_sequence;
    cursor_visible_ = true;
    echo_x_ = x;
    echo_y_ = y;
    // Echo and Enter move the cursor where this renderer cannot see.
    cursor_x_ = cursor_y_ = -1;
}

void TerminalRenderer::move_to(int x, int y)
{
    if (y == cursor_y_ && x == cursor_x_)
        return;
    if (y == cursor_y_ && cursor_x_ >= 0 && x > cursor_x_) {
        const int gap = x - cursor_x_;
        const Shown* row =
            &shown_[static_cast<std::size_t>(y) * static_cast<std::size_t>(surface_columns_)];
        bool rewritable = gap <= max_rewritten_gap;
        for (int i = cursor_x_; rewritable && i < x; ++i)
            rewritable = row[i].style == style_ && CodePage437::utf8(row[i].ch).size() == 1;
        if (rewritable) {
            for (int i = cursor_x_; i < x; ++i)
                out_ += CodePage437::utf8(row[i].ch);
        } else {
            append_csi(gap, 'C');
        }
        cursor_x_ = x;
        return;
    }
    out_ += csi;
    append_number(y + 1);
    out_ += ';';
    append_number(x + 1);
    out_ += 'H';
    cursor_x_ = x;
    cursor_y_ = y;
}

void TerminalRenderer::set_style(unsigned short style)
{
    if (style == style_)
        return;
    if (style == plain_style) {
        out_ += reset_colours;
    } else {
        const int foreground = AnsiColour::foreground(style);
        const int background = AnsiColour::background(style);
        out_ += csi;
        if (style_ == unknown_style) {
            // Whatever else may be set (bold, underline) goes with the reset.
            out_ += "0;";
            append_number(foreground);
            out_ += ';';
            append_number(background);
        } else if (style_ == plain_style
                   || (AnsiColour::foreground(style_) != foreground
                       && AnsiColour::background(style_) != background)) {
            append_number(foreground);
            out_ += ';';
            append_number(background);
        } else if (AnsiColour::foreground(style_) != foreground) {
            append_number(foreground);
        } else {
            append_number(background);
        }
        out_ += 'm';
    }
    style_ = style;
}

void TerminalRenderer::put(char ch, unsigned short style, int x)
{
    assert(style == style_);
    (void)style;
    out_ += CodePage437::utf8(ch);
    // In the last column the cursor stays put or wraps, depending on the terminal's
    // settings and kind; the next cell is placed explicitly either way.
    cursor_x_ = x + 1 < terminal_columns_ ? x + 1 : -1;
}

void TerminalRenderer::append_number(int value)
{
    char digits[12];
    const std::size_t length = append_decimal(digits, sizeof digits, 0, value);
    out_.append(digits, length);
}

void TerminalRenderer::append_csi(int value, char final)
{
    out_ += csi;
    append_number(value);
    out_ += final;
}

} // namespace console
