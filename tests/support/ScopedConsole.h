#ifndef CORVALD_TESTS_SUPPORT_SCOPED_CONSOLE_H
#define CORVALD_TESTS_SUPPORT_SCOPED_CONSOLE_H

#include <iostream>

#include "console/Console.h"
#include "console/MemoryConsole.h"
#include "console/StreamBuf.h"

namespace console {

// For its lifetime: a fresh 58 x 60 memory console is the current console, std::cout
// writes into it, and the cursor's remembered cell is (0, 0). Restores the previous console
// afterwards. Tests draw through it and read the cells back from `screen`.
class ScopedConsole {
public:
    ScopedConsole();
    ~ScopedConsole();
    ScopedConsole(const ScopedConsole&) = delete;
    ScopedConsole& operator=(const ScopedConsole&) = delete;

    MemoryConsole console;
    const Surface& screen = console.surface;

private:
    Console* previous_;
    StreamRedirect redirect_{std::cout};
};

} // namespace console

#endif
