#include "support/TerminalEmulator.h"

#include <sstream>

#include <vterm.h>

#include "console/CodePage437.h"

namespace console::test {

namespace {

// The renderer uses only the 16 palette colours: anything else reads as this, a fault.
constexpr int unexpected_colour = 1000;

int colour_index(const VTermColor& colour, bool is_default)
{
    if (is_default)
        return TerminalEmulator::default_colour;
    return VTERM_COLOR_IS_INDEXED(&colour) ? colour.indexed.idx : unexpected_colour;
}

// The palette index of a console colour nibble, worked out apart from the renderer: the
// console's blue, green and red bits are ANSI's 4, 2 and 1; intensity adds 8.
int expected_index(unsigned nibble)
{
    return ((nibble & 4) >> 2) | (nibble & 2) | ((nibble & 1) << 2) | (nibble & 8);
}

std::ostream& operator<<(std::ostream& out, const TerminalEmulator::Shown& shown)
{
    return out << "U+" << std::hex << static_cast<unsigned long>(shown.ch) << std::dec
               << " fg " << shown.foreground << " bg " << shown.background;
}

} // namespace

TerminalEmulator::TerminalEmulator(int columns, int rows)
    : columns_(columns), rows_(rows), terminal_(vterm_new(rows, columns)),
      screen_(vterm_obtain_screen(terminal_))
{
    vterm_set_utf8(terminal_, 1);
    vterm_screen_enable_altscreen(screen_, 1);
    static VTermScreenCallbacks screen_callbacks{};
    screen_callbacks.settermprop = [](VTermProp prop, VTermValue* value, void* user) {
        auto* self = static_cast<TerminalEmulator*>(user);
        if (prop == VTERM_PROP_CURSORVISIBLE)
            self->cursor_visible_ = value->boolean != 0;
        if (prop == VTERM_PROP_ALTSCREEN)
            self->alternate_screen_ = value->boolean != 0;
        return 1;
    };
    vterm_screen_set_callbacks(screen_, &screen_callbacks, this);
    vterm_screen_reset(screen_, 1);
}

TerminalEmulator::~TerminalEmulator()
{
    vterm_free(terminal_);
}

void TerminalEmulator::feed(std::string_view bytes)
{
    vterm_input_write(terminal_, bytes.data(), bytes.size());
    vterm_screen_flush_damage(screen_);
}

TerminalEmulator::Shown TerminalEmulator::at(int x, int y) const
{
    VTermScreenCell cell{};
    vterm_screen_get_cell(screen_, VTermPos{y, x}, &cell);
    return {cell.chars[0] == 0 ? U' ' : static_cast<char32_t>(cell.chars[0]),
            colour_index(cell.fg, VTERM_COLOR_IS_DEFAULT_FG(&cell.fg)),
            colour_index(cell.bg, VTERM_COLOR_IS_DEFAULT_BG(&cell.bg))};
}

std::string TerminalEmulator::text(int x, int y, int length) const
{
    std::string text;
    for (int i = 0; i < length; ++i) {
        const char32_t c = at(x + i, y).ch;
        text += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return text;
}

std::string TerminalEmulator::differences(const Surface& surface, int columns, int rows) const
{
    std::ostringstream first;
    int found = 0;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x) {
            const Cell& cell = surface.cell(x, y);
            Shown wanted{CodePage437::to_unicode(cell.ch)};
            if (!cell.plain) {
                wanted.foreground = expected_index(cell.attribute & 0xFu);
                wanted.background = expected_index((cell.attribute >> 4) & 0xFu);
            }
            if (!(at(x, y) == wanted) && found++ == 0)
                first << "(" << x << "," << y << ") shows " << at(x, y) << ", wanted " << wanted;
        }
    return found == 0 ? "" : first.str() + "; " + std::to_string(found) + " cells differ";
}

std::string TerminalEmulator::written_outside(int columns, int rows) const
{
    for (int y = 0; y < rows_; ++y)
        for (int x = 0; x < columns_; ++x)
            if ((x >= columns || y >= rows) && !(at(x, y) == Shown{}))
                return "cell (" + std::to_string(x) + "," + std::to_string(y) + ") was written";
    return "";
}

std::pair<int, int> TerminalEmulator::cursor() const
{
    VTermPos position{};
    vterm_state_get_cursorpos(vterm_obtain_state(terminal_), &position);
    return {position.col, position.row};
}

} // namespace console::test
