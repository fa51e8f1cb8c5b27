#ifndef CORVALD_CONSOLE_CURSOR_H
#define CORVALD_CONSOLE_CURSOR_H

namespace console {

// Cursor placement and colouring over the current console's cells. Remembers the cell of
// the last placement: `colour` works from that cell, not from the live cursor, so a caller
// places the cursor, writes text through std::cout (which moves only the live cursor) and
// then colours as many cells as it wrote.
class Cursor {
public:
    // Remembers (x, y) and moves the live cursor there.
    static void position(int x, int y);

    // Sets `length` cells from the remembered cell to foreground | background (cut to
    // 16 bits), running on into the next rows. Characters and the live cursor stay.
    static void colour(unsigned foreground, unsigned background, unsigned length);

    // One row down from the remembered cell, same column; moves the live cursor there.
    static void next_line();

    // The remembered cell, shared by the whole program.
    static int _x;
    static int _y;
};

} // namespace console

#endif
