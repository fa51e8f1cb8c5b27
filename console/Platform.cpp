#include "console/Platform.h"

#include <iostream>

#include "console/StreamBuf.h"

namespace console {

std::unique_ptr<Console> Platform::install_console()
{
    // Never destroyed: text written to std::cout while the process ends (when the console
    // may be gone and the fallback memory console current) must still find a live buffer.
    static StreamRedirect* const redirect = new StreamRedirect(std::cout);
    (void)redirect;

    std::unique_ptr<Console> console = open_console();
    Console::install(console.get());
    return console;
}

} // namespace console
