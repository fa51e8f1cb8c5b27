#ifndef CORVALD_TESTS_SUPPORT_RECORDINGSCREEN_H
#define CORVALD_TESTS_SUPPORT_RECORDINGSCREEN_H

#include <string>
#include <vector>

#include "console/Console.h"
#include "console/MemoryConsole.h"
#include "console/StreamBuf.h"
#include "console/Surface.h"

namespace corvald_test {

// What the user saw at the moment the program waited for a line: the question on row 3,
// the colour of its first cell, and where the live cursor stood.
struct Prompt {
    std::string text;           // row 3 from column 1, trailing blanks dropped
    unsigned short attribute;   // of the cell at (1, 3)
    bool plain;                 // stream text not recoloured since
    int red_cells;              // bright red cells in a run from (1, 3)
    int cursor_x;
    int cursor_y;
};

// A memory console that records the prompt on every flush, which the input source does
// right before each read.
class RecordingConsole : public console::MemoryConsole {
public:
    void flush() override;

    std::vector<Prompt> prompts;
};

// For its lifetime: a fresh recording console is the current console, std::cout writes
// into it and the cursor's remembered cell is (0, 0). Restores the previous console.
class RecordingScreen {
public:
    RecordingScreen();
    ~RecordingScreen();
    RecordingScreen(const RecordingScreen&) = delete;
    RecordingScreen& operator=(const RecordingScreen&) = delete;

    // The prompt texts in the order they were asked.
    std::vector<std::string> prompt_texts() const;

    RecordingConsole console;
    const console::Surface& screen = console.surface;
    const std::vector<Prompt>& prompts = console.prompts;

private:
    console::Console* previous_;
    console::StreamRedirect redirect_;
};

} // namespace corvald_test

#endif
