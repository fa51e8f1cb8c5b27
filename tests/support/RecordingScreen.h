#ifndef CORVALD_TESTS_SUPPORT_RECORDINGSCREEN_H
#define CORVALD_TESTS_SUPPORT_RECORDINGSCREEN_H

#include <string>
#include <vector>

#include "console/Console.h"
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

// A memory console that takes a shot on every flush, which the console input source does
// right before each read.
class RecordingConsole : public console::MemoryConsole {
public:
    void flush() override;

    std::vector<Shot> shots;
};

// For its lifetime: a fresh recording console is the current console, std::cout writes
// into it and the cursor's remembered cell is (0, 0). Restores the previous console.
class RecordingScreen {
public:
    RecordingScreen();
    ~RecordingScreen();
    RecordingScreen(const RecordingScreen&) = delete;
    RecordingScreen& operator=(const RecordingScreen&) = delete;

    // The prompts in the order they were asked.
    std::vector<std::string> prompts() const;

    RecordingConsole console;
    const console::Surface& screen = console.surface;
    const std::vector<Shot>& shots = console.shots;

private:
    console::Console* previous_;
    console::StreamRedirect redirect_;
};

} // namespace corvald_test

#endif
