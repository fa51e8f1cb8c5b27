#ifndef CORVALD_CONSOLE_TERMINALCONSOLE_H
#define CORVALD_CONSOLE_TERMINALCONSOLE_H

#include <chrono>
#include <csignal>

#include "console/Console.h"
#include "console/Surface.h"
#include "console/TerminalRenderer.h"

namespace console {

// The console on a POSIX terminal: the cells live in a Surface, where every drawing
// operation lands (a redraw of the table costs memory writes), and a TerminalRenderer
// brings the terminal up to date with what changed. That happens on flush(), before the
// program waits for input, and while the program draws at most once per frame interval,
// judged on each drawing call (there is no thread and no timer).
//
// Runs on the alternate screen with line wrap off, and hands the terminal back on every
// way out (TerminalGuard). A window-size change (SIGWINCH) repaints: at once while the
// program waits for input, otherwise at the next update. So does the continuation after
// Ctrl-Z, which hands the terminal back meanwhile.
class TerminalConsole : public Console {
public:
    // About 30 updates a second while the program draws.
    static constexpr std::chrono::milliseconds default_frame_interval{33};

    // Takes over the terminal open on `fd` (which must be a terminal). One terminal
    // console at a time.
    explicit TerminalConsole(int fd,
                             std::chrono::milliseconds frame_interval = default_frame_interval);
    ~TerminalConsole() override;
    TerminalConsole(const TerminalConsole&) = delete;
    TerminalConsole& operator=(const TerminalConsole&) = delete;

    void set_cursor(int x, int y) override;
    void fill_attribute(int x, int y, unsigned short attribute, unsigned length) override;
    void fill_character(int x, int y, char ch, unsigned length) override;
    void write_characters(int x, int y, const char* text, unsigned length) override;
    void write_text(const char* text, std::size_t length) override;

    // Resizes the surface and asks the terminal window to grow to fit it (xterm's window
    // operation; a window larger already is left alone). The terminal answers, if it
    // does, with SIGWINCH. The window is asked back to its size at the end.
    void resize(int columns, int rows) override;

    // Updates the terminal and leaves its cursor, visible, at the live cursor.
    void flush() override;

    // Flushes, then waits for the space bar on the controlling terminal.
    bool wait_space() override;

    // Hands the terminal back at once, as at the end; nothing more is written to it.
    bool hand_back() override;

    const Surface& surface() const { return surface_; }

private:
    // Bracket every drawing operation: the first marks the console busy (a resize signal
    // must then leave the surface and renderer alone), the second updates when the oldest
    // change not yet shown is a frame interval old.
    void begin_change();
    void end_change();

    void update(bool show_cursor);
    void write(const char* bytes, std::size_t length);

    static void on_window_change(int signal);
    static void on_resume();

    Surface surface_;
    TerminalRenderer renderer_;
    int fd_;
    std::chrono::steady_clock::duration frame_interval_;
    bool dirty_ = false;
    std::chrono::steady_clock::time_point dirty_since_;
    int original_columns_ = 0;
    int original_rows_ = 0;

    // Set after a flush until the next drawing call: the program is waiting for input,
    // so the resize handler may render.
    volatile std::sig_atomic_t idle_ = 0;
    struct sigaction previous_window_action_ {};

    static TerminalConsole* active_;
    static volatile std::sig_atomic_t window_changed_;
    // Continued after Ctrl-Z: the next update paints everything.
    static volatile std::sig_atomic_t resumed_;
};

} // namespace console

#endif
