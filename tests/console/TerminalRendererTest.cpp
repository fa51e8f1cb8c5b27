#include "console/TerminalRenderer.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "console/Colour.h"
#include "console/ScopedConsole.h"
#include "support/ScreenSketch.h"
#include "support/TerminalEmulator.h"
#include "support/TerminalScreenMatch.h"

using console::TerminalRenderer;
using console::test::TerminalEmulator;
using console::test::screen_differences;
using console::test::writes_outside;

namespace {

constexpr int width = console::screen_width;
constexpr int height = console::screen_height;

// Select Graphic Rendition sequences in `bytes`: ESC [ parameters m.
int colour_changes(std::string_view bytes)
{
    int count = 0;
    for (std::size_t at = bytes.find("\x1b["); at != std::string_view::npos;
         at = bytes.find("\x1b[", at + 2)) {
        const std::size_t end = bytes.find_first_not_of("0123456789;", at + 2);
        if (end != std::string_view::npos && bytes[end] == 'm')
            ++count;
    }
    return count;
}

} // namespace

TEST(TerminalRenderer, TerminalShowsTheSurfaceCharactersAndColours)
{
    console::ScopedConsole scope;
    console::test::draw_screen_sketch();
    TerminalRenderer renderer;
    TerminalEmulator terminal(width, height);

    terminal.feed(renderer.render(scope.screen, false));
    EXPECT_EQ(screen_differences(terminal, scope.screen, width, height), "");
    EXPECT_FALSE(terminal.cursor_visible());
    // The escape byte drawn into a cell shows as its picture and started no sequence.
    EXPECT_EQ(terminal.character(44, 50), U'\u2190');
    EXPECT_EQ(terminal.character(45, 50), U'\u2302');
}

TEST(TerminalRenderer, UnchangedSurfaceWritesNothingAndChangesWriteLittle)
{
    console::ScopedConsole scope;
    console::test::draw_screen_sketch();
    TerminalRenderer renderer;
    TerminalEmulator terminal(width, height);
    terminal.feed(renderer.render(scope.screen, false));

    EXPECT_EQ(renderer.render(scope.screen, false), "");

    // Redrawing the same picture changes nothing either.
    console::test::draw_screen_sketch();
    EXPECT_EQ(renderer.render(scope.screen, false), "");

    // Two cells of different colours: one cursor move each (or one move and a few
    // bytes), a colour each, one character each.
    scope.console.write_characters(20, 30, "X", 1);
    scope.console.fill_attribute(20, 30, console::colour::bright_red, 1);
    scope.console.write_characters(23, 30, "Y", 1);
    const std::string update(renderer.render(scope.screen, false));
    EXPECT_LT(update.size(), 40u) << update;
    terminal.feed(update);
    EXPECT_EQ(screen_differences(terminal, scope.screen, width, height), "");
}

TEST(TerminalRenderer, ColoursAreSetOnlyWhereTheyChange)
{
    console::ScopedConsole scope;
    scope.console.fill_attribute(0, 0, console::colour::table_green, width * height);
    scope.console.fill_character(0, 0, '.', width * height);
    TerminalRenderer renderer;
    const std::string full(renderer.render(scope.screen, false));
    // The reset before clearing the screen, then the one colour of every cell.
    EXPECT_EQ(colour_changes(full), 2) << full.substr(0, 80);
    TerminalEmulator terminal(width, height);
    terminal.feed(full);
    EXPECT_EQ(screen_differences(terminal, scope.screen, width, height), "");
}

TEST(TerminalRenderer, CursorShownAtTheLiveCursorAndEchoedTypingErasedNextTime)
{
    console::ScopedConsole scope;
    console::test::draw_screen_sketch();
    scope.console.write_characters(40, 4, "keep", 4);
    TerminalRenderer renderer;
    TerminalEmulator terminal(width, height);

    terminal.feed(renderer.render(scope.screen, true));
    EXPECT_TRUE(terminal.cursor_visible());
    EXPECT_EQ(terminal.cursor_x(), 2);
    EXPECT_EQ(terminal.cursor_y(), 4);

    // The terminal echoes the user's answer in place (in the colours left set) and the
    // Enter key; the surface does not know.
    terminal.feed("qh ts 2c and an answer longer than the rest of the row is wide, far longer");
    terminal.feed("\r\n");
    EXPECT_NE(console::test::row_text(terminal, 2, 4, 4), "    ");
    EXPECT_EQ(terminal.foreground(2, 4), TerminalEmulator::default_colour);
    // Line wrap is off: the typing stayed on its row, Enter went to the next.
    EXPECT_EQ(terminal.cursor_y(), 5);

    terminal.feed(renderer.render(scope.screen, false));
    EXPECT_FALSE(terminal.cursor_visible());
    EXPECT_EQ(screen_differences(terminal, scope.screen, width, height), "");
}

TEST(TerminalRenderer, SmallerTerminalShowsWhatFitsAndTheSizeItNeeds)
{
    console::ScopedConsole scope;
    console::test::draw_screen_sketch();
    // The emulator is larger than the size the renderer is told: whatever lands outside
    // that size would have been written outside the real terminal.
    constexpr int room_columns = 100;
    constexpr int room_rows = 80;
    TerminalEmulator terminal(room_columns, room_rows);
    TerminalRenderer renderer;

    struct Size { int columns, rows, notice_row; };
    for (const Size size : {Size{40, 20, 19}, Size{80, 24, 23}, Size{50, 70, 60}, Size{58, 59, 58}}) {
        SCOPED_TRACE(std::to_string(size.columns) + " x " + std::to_string(size.rows));
        renderer.set_terminal_size(size.columns, size.rows);
        // Cursor placement and echo handling must stay inside too.
        terminal.feed(renderer.render(scope.screen, true));
        terminal.feed(renderer.render(scope.screen, false));

        const int columns = std::min(width, size.columns);
        EXPECT_EQ(screen_differences(terminal, scope.screen, columns, size.notice_row), "");
        EXPECT_EQ(writes_outside(terminal, room_columns, room_rows, size.columns, size.rows), "");
        const std::string notice = TerminalRenderer::notice(width, height, size.columns, size.rows);
        EXPECT_NE(notice.find("needs 58 x 60"), std::string::npos) << notice;
        EXPECT_EQ(console::test::row_text(terminal, 0, size.notice_row,
                                          static_cast<int>(notice.size())), notice);
    }

    // Back to a terminal large enough: the whole surface, no notice.
    renderer.set_terminal_size(width, height);
    terminal.feed(renderer.render(scope.screen, false));
    EXPECT_EQ(screen_differences(terminal, scope.screen, width, height), "");
    EXPECT_EQ(writes_outside(terminal, room_columns, room_rows, width, height), "");
}

TEST(TerminalRenderer, NoticeIsCutToANarrowTerminal)
{
    const std::string notice = TerminalRenderer::notice(58, 60, 10, 5);
    EXPECT_EQ(notice.size(), 10u);
    EXPECT_EQ(TerminalRenderer::notice(58, 60, 57, 60), "Terminal too small: needs 58 x 60, has 57 x 60");
}

TEST(TerminalRenderer, InvalidateRepaintsEverything)
{
    console::ScopedConsole scope;
    console::test::draw_screen_sketch();
    TerminalRenderer renderer;
    renderer.render(scope.screen, false);
    renderer.invalidate();
    TerminalEmulator terminal(width, height);
    terminal.feed("garbage everywhere\x1b[44m\x1b[10;10Hmore");
    terminal.feed(renderer.render(scope.screen, false));
    EXPECT_EQ(screen_differences(terminal, scope.screen, width, height), "");
}
