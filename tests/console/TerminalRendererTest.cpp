#include "console/TerminalRenderer.h"

#include <algorithm>
#include <iostream>
#include <string>

#include <gtest/gtest.h>

#include "console/Colour.h"
#include "console/Cursor.h"
#include "console/ScopedConsole.h"
#include "poker/Card.h"
#include "support/TerminalEmulator.h"

using console::Cursor;
using console::TerminalRenderer;
using console::test::TerminalEmulator;
namespace colour = console::colour;

namespace {

constexpr int width = console::screen_width;
constexpr int height = console::screen_height;

// A screen like the table view's, drawn through the same primitives: plain and recoloured
// text, the green table with card faces and a back, box and accented characters,
// both bright ranges and an escape byte (at (44, 50)). Leaves the live cursor at (2, 4).
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

TEST(TerminalRenderer, TerminalShowsTheSurfaceAndLaterRendersWriteOnlyChanges)
{
    console::ScopedConsole scope;
    draw_table(scope);
    TerminalRenderer renderer;
    TerminalEmulator terminal(width, height);
    terminal.feed(renderer.render(scope.screen, false));
    EXPECT_EQ(terminal.differences(scope.screen, width, height), "");
    EXPECT_FALSE(terminal.cursor_visible());
    EXPECT_EQ(terminal.at(44, 50).ch, U'\u2190');

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
    EXPECT_EQ(terminal.differences(scope.screen, width, height), "");
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
    EXPECT_EQ(terminal.differences(scope.screen, width, height), "");
}

TEST(TerminalRenderer, CursorShownAtTheLiveCursorAndEchoedTypingErasedNextTime)
{
    console::ScopedConsole scope;
    draw_table(scope);
    TerminalRenderer renderer;
    TerminalEmulator terminal(width, height);
    terminal.feed(renderer.render(scope.screen, true));
    EXPECT_TRUE(terminal.cursor_visible());
    EXPECT_EQ(terminal.cursor(), std::pair(2, 4));

    // The terminal echoes an answer longer than the row, in its default colours, and
    // Enter; line wrap is off, so the typing stays on its row.
    terminal.feed(std::string(70, 'q') + "\r\n");
    EXPECT_EQ(terminal.at(2, 4), (TerminalEmulator::Shown{U'q'}));
    EXPECT_EQ(terminal.cursor(), std::pair(0, 5));

    terminal.feed(renderer.render(scope.screen, false));
    EXPECT_FALSE(terminal.cursor_visible());
    EXPECT_EQ(terminal.differences(scope.screen, width, height), "");
}

TEST(TerminalRenderer, SmallerTerminalShowsWhatFitsAndTheSizeItNeeds)
{
    console::ScopedConsole scope;
    draw_table(scope);
    // The emulator is larger than the size the renderer is told: whatever lands outside
    // that size would have been written outside the real terminal.
    TerminalEmulator terminal(100, 80);
    TerminalRenderer renderer;
    struct Size { int columns, rows, notice_row; };
    for (const Size size : {Size{40, 20, 19}, Size{80, 24, 23}, Size{50, 70, 60},
                            Size{58, 59, 58}}) {
        const std::string has = std::to_string(size.columns) + " x " + std::to_string(size.rows);
        SCOPED_TRACE(has);
        renderer.set_terminal_size(size.columns, size.rows);
        // Cursor placement and echo handling must stay inside too.
        terminal.feed(renderer.render(scope.screen, true));
        terminal.feed(renderer.render(scope.screen, false));
        EXPECT_EQ(terminal.differences(scope.screen, std::min(width, size.columns),
                                       size.notice_row), "");
        EXPECT_EQ(terminal.written_outside(size.columns, size.rows), "");
        // The notice is cut to the terminal's width.
        const std::string notice = TerminalRenderer::notice(width, height, size.columns, size.rows);
        EXPECT_EQ(notice, ("Terminal too small: needs 58 x 60, has " + has).substr(0, size.columns));
        EXPECT_EQ(terminal.text(0, size.notice_row, static_cast<int>(notice.size())), notice);
    }
    renderer.set_terminal_size(width, height);
    terminal.feed(renderer.render(scope.screen, false));
    EXPECT_EQ(terminal.differences(scope.screen, width, height), "");
    EXPECT_EQ(terminal.written_outside(width, height), "");
}
