#include "console/WindowsConsole.h"

#include <string>

#include <windows.h>

#include "console/CodePage437.h"

namespace console {

namespace {

// The window sizes, in pixels, of the shrink before the buffer is resized and of the grow
// after it: a buffer may not be smaller than its window, and the window then grows to
// show as much of the buffer as the screen allows (the console caps it at the buffer).
// They are sizes, not right and bottom edges: a window far right on the screen must
// shrink just the same, or the buffer cannot be made smaller than it.
constexpr int shrunk_window = 1;
constexpr int grown_window = 1000;

HANDLE output()
{
    return GetStdHandle(STD_OUTPUT_HANDLE);
}

COORD cell(int x, int y)
{
    return COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)};
}

// The cells hold code page 437 bytes, and the A calls once showed every one of them as
// its PC glyph. Today's consoles translate A text through their output code page and
// show the bytes below 0x20 as control characters (the suits 0x03 to 0x06 vanish), and
// the box lines of the card backs only survive where that code page happens to be 437.
// So any text that is not plain printable ASCII is converted with code page 437, glyphs
// for the control bytes included, and written with the wide call instead.
bool plain_ascii(char ch)
{
    return ch >= 0x20 && ch < 0x7F;
}

bool plain_ascii(const char* text, unsigned length)
{
    for (unsigned i = 0; i < length; ++i)
        if (!plain_ascii(text[i]))
            return false;
    return true;
}

wchar_t wide(char ch)
{
    // Every character of code page 437 lies in the Basic Multilingual Plane.
    return static_cast<wchar_t>(CodePage437::to_unicode(ch));
}

} // namespace

bool WindowsConsole::available()
{
    DWORD mode = 0;
    return GetConsoleMode(output(), &mode) != 0;
}

void WindowsConsole::set_cursor(int x, int y)
{
    SetConsoleCursorPosition(output(), cell(x, y));
}

void WindowsConsole::fill_attribute(int x, int y, unsigned short attribute, unsigned length)
{
    DWORD written = 0;
    FillConsoleOutputAttribute(output(), attribute, length, cell(x, y), &written);
}

void WindowsConsole::fill_character(int x, int y, char ch, unsigned length)
{
    DWORD written = 0;
    if (plain_ascii(ch))
        FillConsoleOutputCharacterA(output(), ch, length, cell(x, y), &written);
    else
        FillConsoleOutputCharacterW(output(), wide(ch), length, cell(x, y), &written);
}

void WindowsConsole::write_characters(int x, int y, const char* text, unsigned length)
{
    DWORD written = 0;
    if (plain_ascii(text, length)) {
        WriteConsoleOutputCharacterA(output(), text, length, cell(x, y), &written);
        return;
    }
    std::wstring converted(length, L' ');
    for (unsigned i = 0; i < length; ++i)
        converted[i] = wide(text[i]);
    WriteConsoleOutputCharacterW(output(), converted.data(), length, cell(x, y), &written);
}

// Stream text: the console writes it at its cursor, moves the cursor on and keeps the
// buffer's current attribute, which the program never changes.
void WindowsConsole::write_text(const char* text, std::size_t length)
{
    const HANDLE console = output();
    while (length > 0) {
        const DWORD part = length > MAXDWORD ? MAXDWORD : static_cast<DWORD>(length);
        DWORD written = 0;
        if (!WriteConsoleA(console, text, part, &written, nullptr) || written == 0)
            return;
        text += written;
        length -= written;
    }
}

// Shrink, resize, grow: a screen buffer may not be smaller than its window. Only the
// program's own console window is resized. The foreground window is that window when the
// program starts in a console of its own, but it is some other program's window when the
// user has moved on, or the terminal's window when the console is a pseudo console; such
// windows are left alone. Every result is ignored: when a step fails the program goes on
// with the buffer and window it has.
void WindowsConsole::resize(int columns, int rows)
{
    const HWND window = GetForegroundWindow();
    const bool own_window = window != nullptr && window == GetConsoleWindow();
    RECT frame{};
    if (own_window) {
        GetWindowRect(window, &frame);
        SetWindowPos(window, nullptr, frame.left, frame.top, shrunk_window, shrunk_window, 0);
    }
    SetConsoleScreenBufferSize(output(), cell(columns, rows));
    // The program owns the whole screen: whatever the shell left in the buffer goes. The
    // attributes stay, so stream text keeps showing in the console's own colours.
    DWORD written = 0;
    FillConsoleOutputCharacterA(output(), ' ', static_cast<DWORD>(columns * rows), cell(0, 0),
                                &written);
    if (own_window)
        SetWindowPos(window, nullptr, frame.left, frame.top, grown_window, grown_window, 0);
}

bool WindowsConsole::wait_space()
{
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (!GetConsoleMode(input, &mode))
        return false;
    for (;;) {
        INPUT_RECORD record{};
        DWORD read = 0;
        if (!ReadConsoleInputA(input, &record, 1, &read) || read == 0)
            return false;
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        if (record.EventType == KEY_EVENT && key.bKeyDown && key.uChar.AsciiChar == ' ')
            return true;
    }
}

} // namespace console
