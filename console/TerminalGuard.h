#ifndef CORVALD_CONSOLE_TERMINALGUARD_H
#define CORVALD_CONSOLE_TERMINALGUARD_H

#include <cstddef>
#include <string_view>

#include <sys/types.h>
#include <termios.h>

namespace console {

// Hands the terminal back the way the program found it on every way out: the terminal
// console's destructor, the end of the process (return from main, std::exit) and the
// signals that end it (SIGINT, SIGTERM, SIGHUP, SIGQUIT). A signal is re-raised after the
// restore with the disposition it had before, so the process still dies of it and its
// parent sees why.
//
// Ctrl-Z (SIGTSTP) hands the terminal back the same way, stops the process and, when the
// shell continues it, takes the terminal over again: the resume bytes, the keyboard's raw
// mode if it was held, and the resume hook, which repaints. The terminal is touched only
// while the process is in its foreground process group: continued in the background
// (`bg`, or started with `&`) it waits, and takes the terminal over when continued in
// the foreground (`fg`, SIGCONT).
//
// Holds only what a signal handler may touch (fixed buffers, descriptors, flags), and
// restores with write(2) and tcsetattr alone: the restore is async-signal-safe.
class TerminalGuard {
public:
    // The longest restore sequence the guard can hold.
    static constexpr std::size_t max_restore_bytes = 128;

    // Starts guarding the terminal on `fd`: restore() will write `restore_bytes` to it.
    // Installs the signal handlers (a signal the process ignores stays ignored) and, once
    // per process, the exit handler. Only one terminal is guarded at a time; a new one
    // starts without resume bytes and hook.
    static void arm(int fd, std::string_view restore_bytes);

    // Replaces the bytes restore() writes, e.g. after the window was asked to grow.
    static void set_restore_bytes(std::string_view restore_bytes);

    // What a process continued after Ctrl-Z writes to take the terminal over again, and
    // the function it calls then, from the signal handler (so async-signal-safe). Both
    // empty by default: the terminal is handed back and left so.
    static void set_resume(std::string_view resume_bytes, void (*on_resume)());

    // Whether the terminal is still the program's to draw on: armed and not yet restored.
    static bool armed();
    // Whether the take-over (the resume bytes) is in effect: written by take_back and
    // not handed back since.
    static bool shown();

    // The decision behind in_foreground: the terminal's foreground process group (-1 when
    // it is not the controlling terminal) against the process's own.
    static bool may_draw(pid_t foreground_group, pid_t own_group);
    // Whether the process may write to the terminal now. Async-signal-safe.
    static bool in_foreground();
    // Takes the terminal over when it is armed, not shown and in the foreground: the
    // keyboard's raw mode if held, the resume bytes, then the resume hook when
    // `call_hook`. True when it did. Async-signal-safe.
    static bool take_back(bool call_hook);

    // While a keyboard is in raw mode: the settings restore() must put back on `fd`, and
    // the raw ones a process continued after Ctrl-Z sets again.
    static void hold_keyboard(int fd, const termios& settings, const termios& raw);
    static void release_keyboard();

    // Puts back a held keyboard's settings, writes the restore bytes, reinstates the
    // previous signal dispositions and disarms. Does nothing a second time.
    static void restore();

    // Writes all of `bytes` to `fd`, going on after interruptions and waiting out a full
    // non-blocking descriptor. False when the descriptor fails. Async-signal-safe.
    static bool write_all(int fd, const char* bytes, std::size_t length);
};

} // namespace console

#endif
