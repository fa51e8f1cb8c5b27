#ifndef CORVALD_TESTS_SUPPORT_RECORDINGSCREEN_H
#define CORVALD_TESTS_SUPPORT_RECORDINGSCREEN_H

#include <iostream>
#include <string>
#include <vector>

#include "console/Console.h"
#include "console/Cursor.h"
#include "console/MemoryConsole.h"
#include "console/StreamBuf.h"
#include "console/Surface.h"

namespace corvald_test {

// The whole screen at a moment the program waited for a line, with the question it
// showed: row 3 from column 1, trailing blanks dropped.
struct Shot {
    std::string prompt;
    console::Surface screen;
};

// For its lifetime the current console, with std::cout writing into it and the cursor's
// remembered cell at (0, 0). Takes a shot on every flush, which the console input source
// does right before each read.
class RecordingScreen : public console::MemoryConsole {
public:
    RecordingScreen() : previous_(&console::Console::current())
    {
        console::Console::install(this);
        console::Cursor::_x = 0;
        console::Cursor::_y = 0;
    }
    ~RecordingScreen() override
    {
        std::cout.flush();
        console::Console::install(previous_);
    }
    RecordingScreen(const RecordingScreen&) = delete;
    RecordingScreen& operator=(const RecordingScreen&) = delete;

    void flush() override
    {
        std::string prompt = surface.text(1, 3, surface.width() - 1);
        prompt.erase(prompt.find_last_not_of(' ') + 1);
        shots.push_back({prompt, surface});
    }

    std::vector<Shot> shots;

private:
    console::Console* previous_;
    console::StreamRedirect redirect_{std::cout};
};

} // namespace corvald_test

#endif
