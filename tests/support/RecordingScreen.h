#ifndef CORVALD_TESTS_SUPPORT_RECORDINGSCREEN_H
#define CORVALD_TESTS_SUPPORT_RECORDINGSCREEN_H

#include <sstream>
#include <string>
#include <vector>

#include "console/MemoryConsole.h"
#include "console/Surface.h"
#include "support/ScopedConsole.h"
#include "texas_holdem/ConsoleSequencer.h"

namespace corvald_test {

// The whole screen at a moment the program waited for a line, with the question it
// showed: row 3 from column 1, trailing blanks dropped.
struct Shot {
    std::string prompt;
    console::Surface screen;
};

// For its lifetime the current console (see console::ConsoleInstall). Takes a shot on
// every flush, which the console input source does right before each read.
class RecordingScreen : public console::MemoryConsole {
public:
    void flush() override
    {
        std::string prompt = surface.text(1, 3, surface.width() - 1);
        prompt.erase(prompt.find_last_not_of(' ') + 1);
        shots.push_back({prompt, surface});
    }

    std::vector<Shot> shots;

private:
    console::ConsoleInstall install_{*this};
};

// Lines typed at a console input source (a ConsoleSequencer or one derived from it) that
// draws on a recording screen.
template <typename Source = poker::texas_holdem::ConsoleSequencer>
struct Typing {
    explicit Typing(const std::string& typed, const char* version = "1") : input(typed), source(version, input) {}

    // The question at every shot, in order.
    std::vector<std::string> prompts() const
    {
        std::vector<std::string> asked;
        for (const Shot& shot : screen.shots)
            asked.push_back(shot.prompt);
        return asked;
    }
    // What is left of the typing.
    std::string unread()
    {
        std::string rest;
        std::getline(input, rest, '\0');
        return rest;
    }

    RecordingScreen screen;
    std::istringstream input;
    Source source;
};

} // namespace corvald_test

#endif
