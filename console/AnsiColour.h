#ifndef CORVALD_CONSOLE_ANSICOLOUR_H
#define CORVALD_CONSOLE_ANSICOLOUR_H

namespace console {

// The console's 16-colour attributes (console/Colour.h) in the terms of a terminal's
// Select Graphic Rendition: the eight ANSI colours, with the bright variant where the
// attribute has its intensity bit. The two orders of the colour bits differ: the console
// counts blue 1, green 2, red 4; ANSI counts red 1, green 2, blue 4.
class AnsiColour {
public:
    // The ANSI colour number 0 to 7 of a console colour nibble (intensity bit ignored).
    static int index(unsigned nibble);

    // The SGR parameter of the foreground of `attribute`: 30 to 37, or 90 to 97 when bright.
    static int foreground(unsigned short attribute);

    // The SGR parameter of the background of `attribute`: 40 to 47, or 100 to 107 when bright.
    static int background(unsigned short attribute);
};

} // namespace console

#endif
