#include "console/Surface.h"

#include <gtest/gtest.h>

#include "console/Colour.h"

using console::Surface;
namespace colour = console::colour;

TEST(Surface, FillsRunOnIntoTheNextRowAndStopAtTheLastCell)
{
    Surface surface;
    surface.fill_attribute(56, 10, colour::bright_red, 4);
    EXPECT_EQ(surface.cell(56, 10).attribute, colour::bright_red);
    EXPECT_EQ(surface.cell(57, 10).attribute, colour::bright_red);
    EXPECT_EQ(surface.cell(0, 11).attribute, colour::bright_red);
    EXPECT_EQ(surface.cell(1, 11).attribute, colour::bright_red);
    EXPECT_EQ(surface.cell(2, 11).attribute, colour::white);

    // Past the bottom-right cell the run is dropped: nothing wraps to the top.
    surface.fill_character(56, 59, '#', 10);
    EXPECT_EQ(surface.text(54, 59, 4), "  ##");
    EXPECT_EQ(surface.row(0), std::string(58, ' '));
}

TEST(Surface, WritesOutsideTheGridAreDropped)
{
    Surface surface;
    const auto before = surface.revision();
    surface.write_characters(-1, 0, "ab", 2);
    surface.write_characters(58, 0, "ab", 2);
    surface.fill_attribute(0, 60, colour::bright_red, 3);
    surface.fill_character(0, -1, 'x', 3);
    for (int y = 0; y < surface.height(); ++y)
        EXPECT_EQ(surface.row(y), std::string(58, ' ')) << "row " << y;
    EXPECT_EQ(surface.cell(0, 0).attribute, colour::white);
    // A cell outside reads as a blank default cell.
    EXPECT_EQ(surface.cell(100, 100), console::Cell{});
    EXPECT_GT(surface.revision(), before);
}

TEST(Surface, StreamTextWrapsAtTheRightEdgeAndNeverScrolls)
{
    Surface surface;
    surface.set_cursor(55, 2);
    surface.write_text("abcde", 5);
    EXPECT_EQ(surface.text(55, 2, 3), "abc");
    EXPECT_EQ(surface.text(0, 3, 2), "de");
    EXPECT_EQ(surface.cursor_x(), 2);
    EXPECT_EQ(surface.cursor_y(), 3);

    surface.write_text("x\ny", 3);
    EXPECT_EQ(surface.cell(2, 3).ch, 'x');
    EXPECT_EQ(surface.cell(0, 4).ch, 'y');

    // Below the last row the text is lost; the rows above stay where they are.
    surface.set_cursor(0, 59);
    surface.write_text("last\nlost", 9);
    EXPECT_EQ(surface.text(0, 59, 4), "last");
    EXPECT_EQ(surface.text(0, 3, 2), "de");
}

TEST(Surface, StreamTextIsPlainUntilRecolouredAndPlainAgainWhenOverwritten)
{
    Surface surface;
    surface.fill_attribute(0, 0, colour::bright_yellow, 3);
    EXPECT_FALSE(surface.cell(0, 0).plain);
    surface.set_cursor(0, 0);
    surface.write_text("ab", 2);
    EXPECT_TRUE(surface.cell(0, 0).plain);
    EXPECT_EQ(surface.cell(0, 0).attribute, colour::white);
    // The cell the text did not reach keeps its colour.
    EXPECT_FALSE(surface.cell(2, 0).plain);
    EXPECT_EQ(surface.cell(2, 0).attribute, colour::bright_yellow);

    // Card drawing writes characters without touching colour or plainness.
    surface.write_characters(0, 0, "Q", 1);
    EXPECT_TRUE(surface.cell(0, 0).plain);
}

TEST(Surface, ResizeKeepsTheCellsBothSizesShare)
{
    Surface surface(10, 5);
    surface.write_characters(0, 0, "0123456789", 10);
    surface.write_characters(0, 4, "bottom", 6);
    surface.resize(6, 8);
    EXPECT_EQ(surface.width(), 6);
    EXPECT_EQ(surface.height(), 8);
    EXPECT_EQ(surface.row(0), "012345");
    EXPECT_EQ(surface.row(4), "bottom");
    EXPECT_EQ(surface.row(7), "      ");
}
