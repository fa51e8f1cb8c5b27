#ifndef CORVALD_TESTS_SUPPORT_SCOPED_CONSOLE_H
#define CORVALD_TESTS_SUPPORT_SCOPED_CONSOLE_H

#include <iostream>

#include "console/Console.h"
#include "console/MemoryConsole.h"
#include "console/StreamBuf.h"

namespace console {

// For its lifetime: `console` is the current console, std::cout writes into it, and the
// cursor's remembered cell is (0, 0). Restores the previous console afterwards.
class ConsoleInstall {
public:
    explicit ConsoleInstall(Console& console);
    ~ConsoleInstall();
    ConsoleInstall(const ConsoleInstall&) = delete;
    ConsoleInstall& operator=(const ConsoleInstall&) = delete;

private:
    Console* previous_;
    StreamRedirect redirect_{std::cout};
};

// A fresh 58 x 60 memory console installed for its lifetime. Tests draw through it and
// read the cells back from `screen`.
class ScopedConsole {
public:
    MemoryConsole console;
    const Surface& screen = console.surface;

private:
    ConsoleInstall install_{console};
};

} // namespace console

#endif
