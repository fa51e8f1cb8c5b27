#include "support/ScopedConsole.h"

#include "console/Cursor.h"

namespace console {

ConsoleInstall::ConsoleInstall(Console& console) : previous_(&Console::current())
{
    Console::install(&console);
    Cursor::_x = 0;
    Cursor::_y = 0;
}

ConsoleInstall::~ConsoleInstall()
{
    std::cout.flush();
    Console::install(previous_);
}

} // namespace console
