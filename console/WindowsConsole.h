#ifndef CORVALD_CONSOLE_WINDOWSCONSOLE_H
#define CORVALD_CONSOLE_WINDOWSCONSOLE_H

#include <cstddef>

#include "console/Console.h"

namespace console {

// The Win32 console: every operation goes straight to the screen buffer of standard
// output, fetched at each call, so there is nothing to render or flush. Cells hold code
// page 437 bytes; those that are not printable ASCII are written as the Unicode
// characters the PC would paint for them (see the source for why).
class WindowsConsole : public Console {
public:
    // Whether standard output is a console screen buffer, rather than a file or a pipe.
    static bool available();

    void set_cursor(int x, int y) override;
    void fill_attribute(int x, int y, unsigned short attribute, unsigned length) override;
    void fill_character(int x, int y, char ch, unsigned length) override;
    void write_characters(int x, int y, const char* text, unsigned length) override;
    void write_text(const char* text, std::size_t length) override;

    // Gives the buffer `columns` x `rows` blank cells and fits the console window to it.
    void resize(int columns, int rows) override;

    // Reads console input events until the space bar goes down. False when standard
    // input is not a console or can no longer be read.
    bool wait_space() override;
};

} // namespace console

#endif
