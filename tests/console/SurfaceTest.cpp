#include "console/Surface.h"

#include <gtest/gtest.h>

#include "console/Colour.h"

using console::Cell;
using console::Surface;
namespace colour = console::colour;

// Runs go on into the next row; nothing wraps from the last cell to the top, and a write
// starting outside the grid is dropped.
TEST(Surface, RunsGoOnIntoTheNextRowAndAreClippedToTheGrid)
{
    Surface surface;
    surface.write_characters(-1, 0, "ab", 2);
    surface.write_characters(58, 0, "ab", 2);
    surface.fill_attribute(0, 60, colour::bright_red, 3);
    surface.fill_character(0, -1, 'x', 3);
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            ASSERT_EQ(surface.cell(x, y), Cell{}) << x << "," << y;
    EXPECT_EQ(surface.cell(100, 100), Cell{});
    surface.fill_attribute(56, 10, colour::bright_red, 4);
    EXPECT_EQ(surface.cell(1, 11).attribute, colour::bright_red);
    EXPECT_EQ(surface.cell(2, 11).attribute, colour::white);
    surface.fill_character(56, 59, '#', 10);
    EXPECT_EQ(surface.text(54, 59, 4), "  ##");
    EXPECT_EQ(surface.row(0), std::string(58, ' '));
}

// Stream text wraps at the right edge and is lost below the last row (no scrolling); it
// is plain until recoloured, and card drawing leaves colour and plainness alone.
TEST(Surface, StreamTextWrapsWithoutScrollingAndIsPlainUntilRecoloured)
{
    Surface surface;
    surface.set_cursor(55, 2);
    surface.write_text("abcde", 5);
    EXPECT_EQ(surface.text(55, 2, 3) + surface.text(0, 3, 2), "abcde");
    surface.write_text("x\ny", 3);
    EXPECT_EQ(surface.text(2, 3, 1) + surface.text(0, 4, 1), "xy");
    surface.set_cursor(-2, 5);
    surface.write_text("hidden", 6);
    EXPECT_EQ(surface.text(0, 5, 5), "dden ");
    surface.set_cursor(0, 59);
    surface.write_text("last\nlost", 9);
    EXPECT_EQ(surface.text(0, 59, 4), "last");
    EXPECT_EQ(surface.text(0, 3, 2), "de");

    surface.fill_attribute(0, 0, colour::bright_yellow, 3);
    surface.set_cursor(0, 0);
    surface.write_text("ab", 2);
    EXPECT_EQ(surface.cell(0, 0), (Cell{'a', colour::white, true}));
    EXPECT_EQ(surface.cell(2, 0), (Cell{' ', colour::bright_yellow, false}));
    surface.write_characters(0, 0, "Q", 1);
    EXPECT_EQ(surface.cell(0, 0), (Cell{'Q', colour::white, true}));
}

// A resize keeps every cell inside both sizes in its place; the cells it adds are blank.
TEST(Surface, ResizeKeepsTheCellsInsideBothSizesAndAddsBlankOnes)
{
    Surface surface;
    for (int y = 0; y < surface.height(); ++y)
        surface.fill_character(0, y, static_cast<char>('a' + y % 26), 58);
    surface.fill_attribute(38, 29, colour::bright_red, 2);
    surface.resize(58, 30);
    EXPECT_EQ(std::pair(surface.width(), surface.height()), std::pair(58, 30));
    surface.resize(40, 30);
    surface.resize(58, 60);
    EXPECT_EQ(std::pair(surface.width(), surface.height()), std::pair(58, 60));
    EXPECT_EQ(surface.row(29), std::string(40, 'd') + std::string(18, ' '));
    EXPECT_EQ(surface.cell(39, 29), (Cell{'d', colour::bright_red, false}));
    EXPECT_EQ(surface.cell(40, 29), Cell{});
    for (int y = 30; y < surface.height(); ++y)
        EXPECT_EQ(surface.row(y), std::string(58, ' ')) << y;
}
