#include "console/Cursor.h"

#include <iostream>

#include "console/Console.h"

namespace console {

int Cursor::_x = 0;
int Cursor::_y = 0;

void Cursor::position(int x, int y)
{
    std::cout.flush();
    _x = x;
    _y = y;
    Console::current().set_cursor(x, y);
}

void Cursor::colour(unsigned foreground, unsigned background, unsigned length)
{
    std::cout.flush();
    const auto attribute = static_cast<unsigned short>((foreground | background) & 0xFFFFu);
    Console::current().fill_attribute(_x, _y, attribute, length);
}

void Cursor::next_line()
{
    position(_x, _y + 1);
}

} // namespace console
