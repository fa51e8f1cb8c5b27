#include "console/TerminalRenderer.h"

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <string>
#include <tuple>

#include <gtest/gtest.h>
#include <vterm.h>

#include "console/CodePage437.h"
#include "console/Colour.h"
#include "console/Cursor.h"
#include "poker/Card.h"
#include "support/ScopedConsole.h"

using console::Cursor;
using console::TerminalRenderer;
namespace colour = console::colour;

namespace {

constexpr int width = console::screen_width;
constexpr int height = console::screen_height;

// A terminal in memory (libvterm, an xterm-compatible emulator): fed what the renderer
// writes, it shows what a user would see, cell by cell.
class TerminalEmulator {
public:
    // A cell's character and colours: ANSI palette indexes 0 to 15, -1 for the default.
    using Shown = std::tuple<std::uint32_t, int, int>;

    TerminalEmulator(int columns, int rows)
        : columns_(columns), rows_(rows), terminal_(vterm_new(rows, columns)), screen_(vterm_obtain_screen(terminal_))
    {
        vterm_set_utf8(terminal_, 1);
        static VTermScreenCallbacks callbacks{};
        callbacks.settermprop = [](VTermProp prop, VTermValue* value, void* self) {
            if (prop == VTERM_PROP_CURSORVISIBLE)
                static_cast<TerminalEmulator*>(self)->cursor_visible = value->boolean != 0;
            return 1;
        };
        vterm_screen_set_callbacks(screen_, &callbacks, this);
        vterm_screen_reset(screen_, 1);
    }
    ~TerminalEmulator() { vterm_free(terminal_); }

    void feed(std::string_view bytes)
    {
        vterm_input_write(terminal_, bytes.data(), bytes.size());
        vterm_screen_flush_damage(screen_);
    }
    // Any colour outside the 16 of the palette, which the renderer never uses, reads 1000.
    Shown at(int x, int y) const
    {
        VTermScreenCell cell{};
        vterm_screen_get_cell(screen_, VTermPos{y, x}, &cell);
        const auto index = [](const VTermColor& c, bool is_default) {
            return is_default ? -1 : VTERM_COLOR_IS_INDEXED(&c) ? c.indexed.idx : 1000;
        };
        return {cell.chars[0] == 0 ? U' ' : static_cast<char32_t>(cell.chars[0]),
                index(cell.fg, VTERM_COLOR_IS_DEFAULT_FG(&cell.fg)),
                index(cell.bg, VTERM_COLOR_IS_DEFAULT_BG(&cell.bg))};
    }
    // Checks that the `columns` x `rows` cells at the top left show the surface (code page
    // 437 as Unicode; a plain cell in the default colours, any other in its attribute's,
    // whose blue and red bits are ANSI's red and blue) and that every cell past `used_columns`
    // x `used_rows` (the same by default) is blank; stops at the first that does not.
    void expect_shows(const console::Surface& surface, int columns, int rows, int used_columns = 0,
                      int used_rows = 0) const
    {
        const auto index = [](unsigned nibble) {
            return static_cast<int>(((nibble & 4) >> 2) | (nibble & 2) | ((nibble & 1) << 2) | (nibble & 8));
        };
        for (int y = 0; y < rows_; ++y)
            for (int x = 0; x < columns_; ++x) {
                const console::Cell& cell = surface.cell(x, y);
                const bool inside = x < columns && y < rows;
                const Shown expected = inside ? Shown{console::CodePage437::to_unicode(cell.ch),
                                                      cell.plain ? -1 : index(cell.attribute & 0xFu),
                                                      cell.plain ? -1 : index((cell.attribute >> 4) & 0xFu)}
                                              : Shown{U' ', -1, -1};
                if (!inside && x < std::max(columns, used_columns) && y < std::max(rows, used_rows))
                    continue;
                ASSERT_EQ(at(x, y), expected) << "cell " << x << "," << y;
            }
    }
    std::pair<int, int> cursor() const
    {
        VTermPos position{};
        vterm_state_get_cursorpos(vterm_obtain_state(terminal_), &position);
        return {position.col, position.row};
    }
    bool cursor_visible = true;

private:
    int columns_, rows_;
    VTerm* terminal_;
    VTermScreen* screen_;
};

// A screen like the table view's, drawn through the same primitives: plain and recoloured
// text, the green table with cards, box, accented and control characters, both bright
// ranges. Leaves the live cursor at (2, 4).
void draw_table(console::ScopedConsole& scope)
{
    using poker::Card;
    Cursor::position(0, 1);
    std::cout << "Hand #12    V1.0";
    Cursor::position(1, 3);
    std::cout << "Enter flop cards";
    Cursor::colour(colour::bright_red, 0, 16);
    for (int y = 7; y <= 22; ++y)
        scope.console.fill_attribute(17, y, colour::table_green, 21);
    Card(8, Card::spades).print_at(18, 8);
    Card(10, Card::hearts).print_at(18, 13);
    Card().print_at(23, 13);
    for (int opponents = 1; opponents <= 15; ++opponents) {
        Cursor::position(1, 23 + opponents);
        std::cout << opponents << "  0." << (97 - 6 * opponents);
        Cursor::colour(opponents == 3 ? colour::bright_yellow : colour::white, 0, 7);
    }
    Cursor::position(40, 50);
    std::cout << "\xE0\xE1\xB0\xDB\x1B\x7F\x01\x81";
    Cursor::colour(0x0B, 0x90, 4);
    Cursor::position(57, 59);
    std::cout << '\xC5';
    Cursor::colour(0x0D, 0x50, 1);
    Cursor::position(1, 4);
    std::cout << ' ' << std::flush;
}

} // namespace

// The first render shows the cursor where the live one stands; the terminal then echoes
// an answer longer than the row (line wrap is off, so it stays on its row) and Enter, which
// the next render erases.
TEST(TerminalRenderer, TerminalShowsTheSurfaceErasesEchoAndLaterWritesOnlyChanges)
{
    console::ScopedConsole scope;
    draw_table(scope);
    TerminalRenderer renderer;
    TerminalEmulator terminal(width, height);
    terminal.feed(renderer.render(scope.screen, true));
    terminal.expect_shows(scope.screen, width, height);
    EXPECT_TRUE(terminal.cursor_visible);
    EXPECT_EQ(terminal.cursor(), std::pair(2, 4));
    terminal.feed(std::string(70, 'q') + "\r\n");
    ASSERT_EQ(terminal.at(2, 4), TerminalEmulator::Shown(U'q', -1, -1));
    terminal.feed(renderer.render(scope.screen, false));
    terminal.expect_shows(scope.screen, width, height);
    EXPECT_FALSE(terminal.cursor_visible);

    EXPECT_EQ(renderer.render(scope.screen, false), "");
    draw_table(scope);
    EXPECT_EQ(renderer.render(scope.screen, false), "") << "same picture drawn again";
    // Two cells apart, one recoloured: a cursor move, a colour and a character each.
    scope.console.write_characters(20, 30, "X", 1);
    scope.console.fill_attribute(20, 30, colour::bright_red, 1);
    scope.console.write_characters(23, 30, "Y", 1);
    const std::string update(renderer.render(scope.screen, false));
    EXPECT_LT(update.size(), 40u) << update;
    terminal.feed(update);
    terminal.expect_shows(scope.screen, width, height);
    // Side by side, cells whose foregrounds alone differ: only the foreground is set.
    scope.console.write_characters(30, 31, "ab", 2);
    scope.console.fill_attribute(30, 31, colour::bright_red, 1);
    scope.console.fill_attribute(31, 31, colour::white, 1);
    const std::string pair(renderer.render(scope.screen, false));
    EXPECT_NE(pair.find("a\x1b[37mb"), std::string::npos) << pair;
}

TEST(TerminalRenderer, InvalidateRepaintsEverything)
{
    console::ScopedConsole scope;
    draw_table(scope);
    TerminalRenderer renderer;
    renderer.render(scope.screen, false);
    // The last cell drawn plain: a renderer that still trusts its colours would clear
    // the terminal in whatever colour a broken write left behind.
    std::cout << 'x';
    renderer.render(scope.screen, false);
    renderer.invalidate();
    TerminalEmulator terminal(width, height);
    terminal.feed("garbage everywhere\x1b[44m\x1b[10;10Hmore");
    terminal.feed(renderer.render(scope.screen, false));
    terminal.expect_shows(scope.screen, width, height);
}

TEST(TerminalRenderer, SmallerTerminalShowsWhatFitsAndTheSizeItNeeds)
{
    console::ScopedConsole scope;
    draw_table(scope);
    // Larger than the size the renderer is told: anything past that was written outside.
    TerminalEmulator terminal(100, 80);
    TerminalRenderer renderer;
    struct Size {
        int columns, rows, notice_row;
        std::string notice;
    };
    for (const Size& size :
         {Size{40, 20, 19, "40x20"}, Size{80, 24, 23, ""}, Size{50, 70, 60, ""}, Size{58, 59, 58, ""}}) {
        const std::string has = std::to_string(size.columns) + " x " + std::to_string(size.rows);
        SCOPED_TRACE(has);
        renderer.set_terminal_size(size.columns, size.rows);
        terminal.feed(renderer.render(scope.screen, true));
        terminal.feed(renderer.render(scope.screen, false));
        terminal.expect_shows(scope.screen, std::min(width, size.columns), size.notice_row, size.columns, size.rows);
        const std::string notice = TerminalRenderer::notice(width, height, size.columns, size.rows);
        EXPECT_EQ(notice, size.columns < 47 ? "Too small: needs 58x60, has " + size.notice
                                            : "Terminal too small: needs 58 x 60, has " + has);
        for (std::size_t x = 0; x < notice.size(); ++x)
            EXPECT_EQ(std::get<0>(terminal.at(static_cast<int>(x), size.notice_row)), char32_t(notice[x])) << x;
    }
    // Whole in any terminal of 20 columns or more.
    EXPECT_EQ(TerminalRenderer::notice(width, height, 30, 20), "Needs 58x60, has 30x20");
    EXPECT_EQ(TerminalRenderer::notice(width, height, 20, 999), "Needs 58x60 or more");
    EXPECT_EQ(TerminalRenderer::notice(width, height, 10, 20), "Needs 58x6");
    // The live cursor past a small terminal's corner stands in the nearest cell above the notice.
    Cursor::position(57, 59);
    renderer.set_terminal_size(40, 20);
    terminal.feed(renderer.render(scope.screen, true));
    EXPECT_EQ(terminal.cursor(), std::pair(39, 18));
    renderer.set_terminal_size(width, height);
    terminal.feed(renderer.render(scope.screen, false));
    terminal.expect_shows(scope.screen, width, height);
}
