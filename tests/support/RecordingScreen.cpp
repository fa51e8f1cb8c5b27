#include "support/RecordingScreen.h"

#include <iostream>

#include "console/Cursor.h"

namespace corvald_test {

void RecordingConsole::flush()
{
    std::string prompt = surface.text(1, 3, surface.width() - 1);
    prompt.erase(prompt.find_last_not_of(' ') + 1);
    shots.push_back({prompt, surface});
}

// Text reaches whichever console is current when it is written, so the stream can be
// redirected before this console is installed.
RecordingScreen::RecordingScreen() : previous_(&console::Console::current()), redirect_(std::cout)
{
    console::Console::install(&console);
    console::Cursor::_x = 0;
    console::Cursor::_y = 0;
}

RecordingScreen::~RecordingScreen()
{
    std::cout.flush();
    console::Console::install(previous_);
}

std::vector<std::string> RecordingScreen::prompts() const
{
    std::vector<std::string> prompts;
    for (const Shot& shot : shots)
        prompts.push_back(shot.prompt);
    return prompts;
}

} // namespace corvald_test
