#include "console/AnsiColour.h"

#include <gtest/gtest.h>

#include "console/Colour.h"

using console::AnsiColour;
namespace colour = console::colour;

TEST(AnsiColour, RedAndBlueSwapPlacesBetweenConsoleAndAnsi)
{
    EXPECT_EQ(AnsiColour::index(0), 0);                          // black
    EXPECT_EQ(AnsiColour::index(colour::foreground_red), 1);
    EXPECT_EQ(AnsiColour::index(colour::foreground_green), 2);
    EXPECT_EQ(AnsiColour::index(colour::foreground_blue), 4);
    EXPECT_EQ(AnsiColour::index(colour::bright_yellow), 3);      // red + green
    EXPECT_EQ(AnsiColour::index(0x05), 5);                       // magenta
    EXPECT_EQ(AnsiColour::index(0x03), 6);                       // cyan
    EXPECT_EQ(AnsiColour::index(colour::white), 7);
}

TEST(AnsiColour, IntensityBitSelectsTheBrightRange)
{
    EXPECT_EQ(AnsiColour::foreground(colour::white), 37);
    EXPECT_EQ(AnsiColour::background(colour::white), 40);
    EXPECT_EQ(AnsiColour::foreground(colour::bright_red), 91);
    EXPECT_EQ(AnsiColour::foreground(colour::dark_green), 32);
    EXPECT_EQ(AnsiColour::background(colour::table_green), 42);
    EXPECT_EQ(AnsiColour::background(colour::card_back), 41);
    EXPECT_EQ(AnsiColour::foreground(colour::card_back), 30);
    EXPECT_EQ(AnsiColour::background(colour::card_face), 107);
    EXPECT_EQ(AnsiColour::foreground(colour::card_face), 30);
    EXPECT_EQ(AnsiColour::foreground(colour::card_face_red), 91);
    // The background nibble alone decides the background, the foreground nibble the
    // foreground.
    EXPECT_EQ(AnsiColour::background(0x9F), 104);
    EXPECT_EQ(AnsiColour::foreground(0x9F), 97);
}
