#include "console/Cursor.h"

#include <iostream>

#include <gtest/gtest.h>

#include "console/Colour.h"
#include "console/ScopedConsole.h"

using console::Cursor;

TEST(Cursor, NextLineStepsDownFromTheRememberedCell)
{
    console::ScopedConsole scope;
    Cursor::position(1, 43);
    Cursor::next_line();
    Cursor::next_line();
    EXPECT_EQ(Cursor::_x, 1);
    EXPECT_EQ(Cursor::_y, 45);
    EXPECT_EQ(scope.screen.cursor_x(), 1);
    EXPECT_EQ(scope.screen.cursor_y(), 45);
}

TEST(Cursor, ColourRecoloursTheTextJustWrittenFromTheRememberedCell)
{
    console::ScopedConsole scope;
    Cursor::position(18, 41);
    std::cout << "12.5";
    Cursor::colour(console::colour::dark_green, 0, 4);

    const auto& s = scope.screen;
    EXPECT_EQ(s.text(18, 41, 4), "12.5");
    for (int x = 18; x < 22; ++x) {
        EXPECT_EQ(s.cell(x, 41).attribute, console::colour::dark_green) << x;
        EXPECT_FALSE(s.cell(x, 41).plain) << x;
    }
    EXPECT_TRUE(s.cell(22, 41).plain);
    // The live cursor stays after the text, where the next output goes.
    EXPECT_EQ(s.cursor_x(), 22);
}

TEST(Cursor, ColourCombinesForegroundAndBackgroundCutToSixteenBits)
{
    console::ScopedConsole scope;
    Cursor::position(57, 0);
    Cursor::colour(0x10000u | console::colour::bright_red, console::colour::table_green, 2);
    EXPECT_EQ(scope.screen.cell(57, 0).attribute, 0x2C);
    EXPECT_EQ(scope.screen.cell(0, 1).attribute, 0x2C);
}
