#include "support/RecordingScreen.h"

#include <iostream>

#include "console/Cursor.h"

namespace corvald_test {

namespace {

console::Console* install_returning_previous(console::Console& console)
{
    console::Console* previous = &console::Console::current();
    console::Console::install(&console);
    return previous;
}

} // namespace

void RecordingConsole::flush()
{
    std::string prompt = surface.text(1, 3, surface.width() - 1);
    prompt.erase(prompt.find_last_not_of(' ') + 1);
    shots.push_back({prompt, surface});
}

RecordingScreen::RecordingScreen()
    : previous_(install_returning_previous(console)), redirect_(std::cout)
{
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
