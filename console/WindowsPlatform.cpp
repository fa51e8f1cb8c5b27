#include "console/Platform.h"

#include <windows.h>

#include "console/MemoryConsole.h"
#include "console/WindowsConsole.h"

namespace console {

// The console of standard output when there is one; cells in memory when the output goes
// to a file or a pipe, which then receives nothing of the screen.
std::unique_ptr<Console> Platform::open_console()
{
    if (WindowsConsole::available())
        return std::make_unique<WindowsConsole>();
    return std::make_unique<MemoryConsole>();
}

bool Platform::error_is_terminal()
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

} // namespace console
