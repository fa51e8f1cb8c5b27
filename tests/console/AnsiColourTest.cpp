#include "console/AnsiColour.h"

#include <gtest/gtest.h>

// The console counts blue 1, green 2, red 4, ANSI red 1, green 2, blue 4; the intensity
// bit selects the bright range (90s and 100s). Each nibble decides its own side alone.
TEST(AnsiColour, ConsoleAttributesBecomeTheirSgrColours)
{
    const struct {
        unsigned short attribute;
        int foreground, background;
    } rows[] = {{0x00, 30, 40}, {0x04, 31, 40}, {0x02, 32, 40}, {0x0E, 93, 40},
                {0x01, 34, 40}, {0x05, 35, 40}, {0x03, 36, 40}, {0x07, 37, 40},
                {0x20, 30, 42}, {0x40, 30, 41}, {0xF0, 30, 107}, {0xFC, 91, 107},
                {0x9F, 97, 104}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.attribute);
        EXPECT_EQ(console::AnsiColour::foreground(row.attribute), row.foreground);
        EXPECT_EQ(console::AnsiColour::background(row.attribute), row.background);
    }
}
