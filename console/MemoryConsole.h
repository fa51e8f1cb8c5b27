#ifndef CORVALD_CONSOLE_MEMORYCONSOLE_H
#define CORVALD_CONSOLE_MEMORYCONSOLE_H

#include "console/Console.h"
#include "console/Surface.h"

namespace console {

// The console as cells in memory alone. Tests draw into it and read back each cell's
// character and attribute; scripted runs (standard output not a terminal) draw into it
// and show nothing.
class MemoryConsole : public Console {
public:
    explicit MemoryConsole(int width = screen_width, int height = screen_height)
        : surface(width, height)
    {
    }

    void set_cursor(int x, int y) override { surface.set_cursor(x, y); }
    void fill_attribute(int x, int y, unsigned short attribute, unsigned length) override
    {
        surface.fill_attribute(x, y, attribute, length);
    }
    void fill_character(int x, int y, char ch, unsigned length) override
    {
        surface.fill_character(x, y, ch, length);
    }
    void write_characters(int x, int y, const char* text, unsigned length) override
    {
        surface.write_characters(x, y, text, length);
    }
    void write_text(const char* text, std::size_t length) override
    {
        surface.write_text(text, length);
    }
    void resize(int columns, int rows) override { surface.resize(columns, rows); }

    Surface surface;
};

} // namespace console

#endif
