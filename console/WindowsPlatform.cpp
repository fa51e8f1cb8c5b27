#include "console/Platform.h"

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

} // namespace console
