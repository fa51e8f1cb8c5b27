#include "support/TerminalEmulator.h"

#include <vterm.h>

namespace console::test {

namespace {

int colour_index(const VTermColor& colour, bool foreground)
{
    if (foreground ? VTERM_COLOR_IS_DEFAULT_FG(&colour) : VTERM_COLOR_IS_DEFAULT_BG(&colour))
        return TerminalEmulator::default_colour;
    if (VTERM_COLOR_IS_INDEXED(&colour))
        return colour.indexed.idx;
    // The renderer only uses the 16 palette colours: anything else is a fault.
    return 1000;
}

VTermScreenCell cell_at(VTermScreen* screen, int x, int y)
{
    VTermScreenCell cell{};
    vterm_screen_get_cell(screen, VTermPos{y, x}, &cell);
    return cell;
}

} // namespace

TerminalEmulator::TerminalEmulator(int columns, int rows)
    : terminal_(vterm_new(rows, columns)), screen_(vterm_obtain_screen(terminal_))
{
    vterm_set_utf8(terminal_, 1);
    vterm_screen_enable_altscreen(screen_, 1);

    static VTermScreenCallbacks screen_callbacks{};
    screen_callbacks.settermprop = [](VTermProp prop, VTermValue* value, void* user) {
        return on_termprop(prop, value, user);
    };
    vterm_screen_set_callbacks(screen_, &screen_callbacks, this);

    static VTermParserCallbacks fallbacks{};
    fallbacks.csi = &TerminalEmulator::on_unknown_csi;
    vterm_screen_set_unrecognised_fallbacks(screen_, &fallbacks, this);
    vterm_screen_reset(screen_, 1);
}

TerminalEmulator::~TerminalEmulator()
{
    vterm_free(terminal_);
}

int TerminalEmulator::on_termprop(int prop, void* value, void* user)
{
    auto* self = static_cast<TerminalEmulator*>(user);
    const auto* v = static_cast<const VTermValue*>(value);
    if (prop == VTERM_PROP_CURSORVISIBLE)
        self->cursor_visible_ = v->boolean != 0;
    if (prop == VTERM_PROP_ALTSCREEN)
        self->alternate_screen_ = v->boolean != 0;
    return 1;
}

int TerminalEmulator::on_unknown_csi(const char* leader, const long args[], int count,
                                     const char* intermediates, char command, void* user)
{
    auto* self = static_cast<TerminalEmulator*>(user);
    if (command == 't' && leader == nullptr && intermediates == nullptr) {
        std::vector<long> parameters;
        for (int i = 0; i < count; ++i)
            parameters.push_back(CSI_ARG(args[i]));
        self->window_operations_.push_back(parameters);
        return 1;
    }
    return 0;
}

void TerminalEmulator::feed(std::string_view bytes)
{
    vterm_input_write(terminal_, bytes.data(), bytes.size());
    vterm_screen_flush_damage(screen_);
}

char32_t TerminalEmulator::character(int x, int y) const
{
    const VTermScreenCell cell = cell_at(screen_, x, y);
    return cell.chars[0] == 0 ? U' ' : static_cast<char32_t>(cell.chars[0]);
}

int TerminalEmulator::foreground(int x, int y) const
{
    return colour_index(cell_at(screen_, x, y).fg, true);
}

int TerminalEmulator::background(int x, int y) const
{
    return colour_index(cell_at(screen_, x, y).bg, false);
}

int TerminalEmulator::cursor_x() const
{
    VTermPos position{};
    vterm_state_get_cursorpos(vterm_obtain_state(terminal_), &position);
    return position.col;
}

int TerminalEmulator::cursor_y() const
{
    VTermPos position{};
    vterm_state_get_cursorpos(vterm_obtain_state(terminal_), &position);
    return position.row;
}

} // namespace console::test
