#ifndef CORVALD_CONSOLE_PLATFORM_H
#define CORVALD_CONSOLE_PLATFORM_H

#include <memory>

#include "console/Console.h"

namespace console {

// The console of the machine the program runs on. open_console has one implementation per
// platform (PosixPlatform.cpp for terminals, WindowsPlatform.cpp for the Win32 console);
// install_console is common to both (Platform.cpp).
class Platform {
public:
    // The console standard output shows, not yet installed. When standard output is not
    // a console (a file, a pipe) a MemoryConsole: a scripted run draws into memory only and
    // writes nothing to its output, in particular no escape sequence.
    static std::unique_ptr<Console> open_console();

    // What main calls first: opens the console, installs it as the current console and
    // routes std::cout into the console layer for the rest of the process. The caller
    // keeps the console as long as it draws (main: for ever). A terminal is handed back
    // when the console ends, and also on std::exit and on the signals that end the process.
    static std::unique_ptr<Console> install_console();

    // True when standard error is a terminal (or console), where a progress line that
    // rewrites itself can be shown; false for a file or a pipe.
    static bool error_is_terminal();
};

} // namespace console

#endif
