#include "console/Platform.h"

#include <unistd.h>

#include "console/MemoryConsole.h"
#include "console/TerminalConsole.h"

namespace console {

std::unique_ptr<Console> Platform::open_console()
{
    if (::isatty(STDOUT_FILENO))
        return std::make_unique<TerminalConsole>(STDOUT_FILENO);
    return std::make_unique<MemoryConsole>();
}

bool Platform::error_is_terminal()
{
    return ::isatty(STDERR_FILENO) != 0;
}

} // namespace console
