#include "support/ScopedConsole.h"

#include "console/Cursor.h"

namespace console {

namespace {
Console* install_returning_previous(Console& console)
{
    Console* previous = &Console::current();
    Console::install(&console);
    return previous;
}
} // namespace

ConsoleInstall::ConsoleInstall(Console& console) : previous_(install_returning_previous(console))
{
    Cursor::_x = 0;
    Cursor::_y = 0;
}

ConsoleInstall::~ConsoleInstall()
{
    std::cout.flush();
    Console::install(previous_);
}

} // namespace console
