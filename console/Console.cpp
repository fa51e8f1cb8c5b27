#include "console/Console.h"

#include "console/MemoryConsole.h"

namespace console {

namespace {

// Until a program installs its own console, drawing lands in memory: nothing is written
// to a terminal that nobody asked for.
MemoryConsole& fallback()
{
    static MemoryConsole memory;
    return memory;
}

Console* installed = nullptr;

} // namespace

Console& Console::current()
{
    return installed ? *installed : fallback();
}

void Console::install(Console* console)
{
    installed = console;
}

} // namespace console
