#ifndef CORVALD_TESTS_SUPPORT_TERMINAL_SCREEN_MATCH_H
#define CORVALD_TESTS_SUPPORT_TERMINAL_SCREEN_MATCH_H

#include <string>

#include "console/Surface.h"
#include "support/TerminalEmulator.h"

namespace console::test {

// Compares what the emulated terminal shows in the `columns` x `rows` cells from the top
// left with the surface: each cell's character (code page 437 as Unicode) and colours (a
// plain cell in the terminal's default colours, any other in the palette colours of its
// attribute). Empty when they agree; otherwise a description of the first few differences.
std::string screen_differences(const TerminalEmulator& terminal, const Surface& surface,
                               int columns, int rows);

// Empty when every cell of the terminal outside the `columns` x `rows` cells at the top
// left is blank in the default colours, else where one is not.
std::string writes_outside(const TerminalEmulator& terminal, int terminal_columns,
                           int terminal_rows, int columns, int rows);

// The text of row y from column x, `length` cells, as UTF-8.
std::string row_text(const TerminalEmulator& terminal, int x, int y, int length);

} // namespace console::test

#endif
