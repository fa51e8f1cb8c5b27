#include "console/AnsiColour.h"

#include "console/Colour.h"

namespace console {

namespace {
constexpr int sgr_foreground = 30;
constexpr int sgr_bright_foreground = 90;
constexpr int sgr_background = 40;
constexpr int sgr_bright_background = 100;
constexpr unsigned background_shift = 4;
} // namespace

int AnsiColour::index(unsigned nibble)
{
    return ((nibble & colour::foreground_red) ? 1 : 0)
           | ((nibble & colour::foreground_green) ? 2 : 0)
           | ((nibble & colour::foreground_blue) ? 4 : 0);
}

int AnsiColour::foreground(unsigned short attribute)
{
    const bool bright = (attribute & colour::foreground_intensity) != 0;
    return (bright ? sgr_bright_foreground : sgr_foreground) + index(attribute);
}

int AnsiColour::background(unsigned short attribute)
{
    const bool bright = (attribute & colour::background_intensity) != 0;
    return (bright ? sgr_bright_background : sgr_background)
           + index(static_cast<unsigned>(attribute) >> background_shift);
}

} // namespace console
