#include "support/RecordingScreen.h"

#include <iostream>

#include "console/Colour.h"
#include "console/Cursor.h"

namespace corvald_test {

namespace {

constexpr int prompt_x = 1;
constexpr int prompt_y = 3;

console::Console* install_returning_previous(console::Console& console)
{
    console::Console* previous = &console::Console::current();
    console::Console::install(&console);
    return previous;
}

} // namespace

void RecordingConsole::flush()
{
    std::string text = surface.text(prompt_x, prompt_y, surface.width() - prompt_x);
    text.erase(text.find_last_not_of(' ') + 1);
    const console::Cell& first = surface.cell(prompt_x, prompt_y);
    int red = 0;
    while (prompt_x + red < surface.width()
           && surface.cell(prompt_x + red, prompt_y).attribute == console::colour::bright_red)
        ++red;
    prompts.push_back({text, first.attribute, first.plain, red, surface.cursor_x(),
                       surface.cursor_y()});
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

std::vector<std::string> RecordingScreen::prompt_texts() const
{
    std::vector<std::string> texts;
    for (const Prompt& prompt : prompts)
        texts.push_back(prompt.text);
    return texts;
}

} // namespace corvald_test
