#ifndef CORVALD_TESTS_SUPPORT_TERMINAL_EMULATOR_H
#define CORVALD_TESTS_SUPPORT_TERMINAL_EMULATOR_H

#include <string>
#include <string_view>
#include <vector>

struct VTerm;
struct VTermScreen;

namespace console::test {

// A terminal in memory (libvterm, an xterm-compatible emulator): tests feed it what the
// terminal console writes and read back what a user would see, cell by cell.
class TerminalEmulator {
public:
    // A colour as the tests compare it: an ANSI palette index 0 to 15, or `default_colour`.
    static constexpr int default_colour = -1;

    TerminalEmulator(int columns, int rows);
    ~TerminalEmulator();
    TerminalEmulator(const TerminalEmulator&) = delete;
    TerminalEmulator& operator=(const TerminalEmulator&) = delete;

    void feed(std::string_view bytes);

    // The character shown at (x, y); a blank for a cell never written.
    char32_t character(int x, int y) const;
    int foreground(int x, int y) const;
    int background(int x, int y) const;

    int cursor_x() const;
    int cursor_y() const;
    bool cursor_visible() const { return cursor_visible_; }
    bool alternate_screen() const { return alternate_screen_; }

    // The parameters of every xterm window operation (CSI ... t) received.
    const std::vector<std::vector<long>>& window_operations() const { return window_operations_; }

private:
    static int on_termprop(int prop, void* value, void* user);
    static int on_unknown_csi(const char* leader, const long args[], int count,
                              const char* intermediates, char command, void* user);

    VTerm* terminal_;
    VTermScreen* screen_;
    bool cursor_visible_ = true;
    bool alternate_screen_ = false;
    std::vector<std::vector<long>> window_operations_;
};

} // namespace console::test

#endif
