#include "console/Cursor.h"

#include <iostream>

#include <gtest/gtest.h>

#include "console/Colour.h"
#include "console/ScopedConsole.h"

using console::Cursor;
namespace colour = console::colour;

TEST(Cursor, NextLineStepsDownFromTheRememberedCell)
{
    console::ScopedConsole scope;
    Cursor::position(1, 43);
    Cursor::next_line();
    Cursor::next_line();
    EXPECT_EQ(std::pair(Cursor::_x, Cursor::_y), std::pair(1, 45));
    EXPECT_EQ(std::pair(scope.screen.cursor_x(), scope.screen.cursor_y()), std::pair(1, 45));
}

// The colour, foreground and background cut to 16 bits, goes on the text just written
// from the remembered cell; the live cursor stays after the text.
TEST(Cursor, ColourRecoloursTheTextJustWrittenFromTheRememberedCell)
{
    console::ScopedConsole scope;
    Cursor::position(18, 41);
    std::cout << "12.5";
    Cursor::colour(0x10000u | colour::bright_red, colour::table_green, 4);
    EXPECT_EQ(scope.screen.text(18, 41, 4), "12.5");
    for (int x = 18; x < 22; ++x)
        EXPECT_EQ(scope.screen.cell(x, 41).attribute, 0x2C) << x;
    EXPECT_TRUE(scope.screen.cell(22, 41).plain);
    EXPECT_EQ(scope.screen.cursor_x(), 22);
}
