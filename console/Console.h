#ifndef CORVALD_CONSOLE_CONSOLE_H
#define CORVALD_CONSOLE_CONSOLE_H

#include <cstddef>

namespace console {

constexpr int screen_width = 58;
constexpr int screen_height = 60;

// The text console the program draws on: a surface of cells addressed by (column, row)
// from (0, 0) at the top left, each cell one code page 437 character and one 16-colour
// attribute (console/Colour.h), and a live text cursor where stream output lands.
//
// Exactly one console is installed at a time (install); the cursor primitives, the card
// drawing and std::cout (through console::StreamBuf) all reach it through current().
// Implementations: MemoryConsole (cells only; tests and scripted runs), TerminalConsole
// (POSIX terminals) and WindowsConsole (the Win32 console).
class Console {
public:
    virtual ~Console() = default;

    // Moves the live text cursor.
    virtual void set_cursor(int x, int y) = 0;

    // Sets the attribute of `length` cells from (x, y), running on into the following
    // rows past the right edge. Characters stay as they are.
    virtual void fill_attribute(int x, int y, unsigned short attribute, unsigned length) = 0;

    // Writes `ch` into `length` cells from (x, y), running on like fill_attribute.
    // Attributes stay as they are.
    virtual void fill_character(int x, int y, char ch, unsigned length) = 0;

    // Writes `length` characters into the cells from (x, y) without moving the cursor.
    virtual void write_characters(int x, int y, const char* text, unsigned length) = 0;

    // Stream output: writes text at the live cursor and advances it ('\n' starts the
    // next row at column 0). The cells take the console's default text colours.
    virtual void write_text(const char* text, std::size_t length) = 0;

    // Asks for a surface of `columns` x `rows` cells (the program asks for 58 x 60).
    virtual void resize(int columns, int rows) = 0;

    // Brings what the user sees up to date. Called before the program waits for input.
    virtual void flush() {}

    // Blocks until the space bar is pressed. False when no keyboard can be read
    // (no terminal), in which case nothing was waited for.
    virtual bool wait_space() { return false; }

    // Gives the user's own screen back for good, so that what the program writes to
    // standard error on its way out stays in view: a terminal leaves its alternate screen.
    // Drawing afterwards changes only the cells. True when a screen was given back (the
    // program's picture is gone); false for a console that borrows none, whose picture
    // stays where it is.
    virtual bool hand_back() { return false; }

    // The installed console; a process-wide memory console until another is installed.
    static Console& current();

    // Installs `console` (not owned); nullptr reinstalls the process-wide memory console.
    static void install(Console* console);

    // The handle the card drawing passes around: the current console as an opaque pointer.
    static void* handle() { return &current(); }
};

} // namespace console

#endif
