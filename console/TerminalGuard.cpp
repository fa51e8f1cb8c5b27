#include "console/TerminalGuard.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cerrno>
#include <csignal>
#include <cstdlib>

#include <poll.h>
#include <unistd.h>

namespace console {

namespace {

// The signals that end the process from outside: Ctrl-C, kill, the terminal closing, Ctrl-\.
constexpr std::array<int, 4> guarded_signals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// How long a full non-blocking terminal may keep the output waiting before it is given up.
constexpr int write_wait_ms = 1000;

volatile std::sig_atomic_t is_armed = 0;
// Whether the take-over is in effect on the terminal: written, and not handed back since.
volatile std::sig_atomic_t is_shown = 0;
int terminal_fd = -1;

// Bytes a signal handler may write. Two buffers, so the bytes can be replaced while a
// signal may read the other one.
struct SignalSafeBytes {
    void store(std::string_view bytes)
    {
        assert(bytes.size() <= TerminalGuard::max_restore_bytes);
        const std::size_t length = std::min(bytes.size(), TerminalGuard::max_restore_bytes);
        const int next = current == 0 ? 1 : 0;
        bytes.copy(buffers[next], length);
        lengths[next] = length;
        current = next;
    }
    void write_to(int fd) const
    {
        const int buffer = current;
        TerminalGuard::write_all(fd, buffers[buffer], lengths[buffer]);
    }

    char buffers[2][TerminalGuard::max_restore_bytes];
    std::size_t lengths[2] = {0, 0};
    volatile std::sig_atomic_t current = 0;
};

SignalSafeBytes restore_bytes;
SignalSafeBytes resume_bytes;
void (*volatile resume_hook)() = nullptr;

volatile std::sig_atomic_t keyboard_held = 0;
int keyboard_fd = -1;
termios keyboard_settings{};
termios keyboard_raw{};

struct sigaction previous_actions[guarded_signals.size()];
struct sigaction previous_stop_action {};
struct sigaction previous_continue_action {};
bool handlers_installed = false;

// The guarded signals and Ctrl-Z: none of them may break into a restore.
sigset_t guarded_set()
{
    sigset_t set;
    sigemptyset(&set);
    for (int signal : guarded_signals)
        sigaddset(&set, signal);
    sigaddset(&set, SIGTSTP);
    sigaddset(&set, SIGCONT);
    return set;
}

void reinstate_previous_actions()
{
    if (!handlers_installed)
        return;
    for (std::size_t i = 0; i < guarded_signals.size(); ++i)
        sigaction(guarded_signals[i], &previous_actions[i], nullptr);
    sigaction(SIGTSTP, &previous_stop_action, nullptr);
    sigaction(SIGCONT, &previous_continue_action, nullptr);
    handlers_installed = false;
}

void on_fatal_signal(int signal)
{
    const int saved_errno = errno;
    TerminalGuard::restore();
    // The previous disposition is back (the default one: ending the process). The signal is
    // blocked while this handler runs, so the raise takes effect as the handler returns.
    std::raise(signal);
    errno = saved_errno;
}

void on_stop(int signal);

struct sigaction stop_action()
{
    struct sigaction action {};
    action.sa_handler = &on_stop;
    action.sa_mask = guarded_set();
    action.sa_flags = SA_RESTART;
    return action;
}

// Ctrl-Z: the terminal handed back as on the way out, then the stop itself (the default
// action, let through for the moment), then the terminal taken over again once continued.
// A guard disarmed meanwhile (the program ended its console) takes nothing back.
void on_stop(int signal)
{
    const int saved_errno = errno;
    if (is_shown) {
        if (keyboard_held)
            tcsetattr(keyboard_fd, TCSANOW, &keyboard_settings);
        restore_bytes.write_to(terminal_fd);
        is_shown = 0;
    }

    struct sigaction stop {};
    stop.sa_handler = SIG_DFL;
    sigemptyset(&stop.sa_mask);
    sigaction(signal, &stop, nullptr);
    sigset_t just_this;
    sigemptyset(&just_this);
    sigaddset(&just_this, signal);
    sigprocmask(SIG_UNBLOCK, &just_this, nullptr);
    std::raise(signal);
    // Continued. The handler's own mask comes back as it returns.
    sigprocmask(SIG_BLOCK, &just_this, nullptr);
    if (handlers_installed) {
        const struct sigaction action = stop_action();
        sigaction(signal, &action, nullptr);
    }

    // Continued in the background (`bg`), the terminal stays the shell's until `fg`.
    TerminalGuard::take_back(true);
    errno = saved_errno;
}

// Continued after any stop: a background process stopped at its read (SIGTTIN) and
// brought to the foreground takes the terminal over here.
void on_continue(int)
{
    const int saved_errno = errno;
    TerminalGuard::take_back(true);
    errno = saved_errno;
}

void install_handlers()
{
    if (handlers_installed)
        return;
    struct sigaction action {};
    action.sa_handler = &on_fatal_signal;
    action.sa_mask = guarded_set();
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < guarded_signals.size(); ++i) {
        sigaction(guarded_signals[i], nullptr, &previous_actions[i]);
        // A parent that made the process immune (nohup, a shell's background job) decided.
        if (previous_actions[i].sa_handler != SIG_IGN)
            sigaction(guarded_signals[i], &action, nullptr);
    }
    const struct sigaction stop = stop_action();
    sigaction(SIGTSTP, nullptr, &previous_stop_action);
    if (previous_stop_action.sa_handler != SIG_IGN)
        sigaction(SIGTSTP, &stop, nullptr);
    struct sigaction resume {};
    resume.sa_handler = &on_continue;
    resume.sa_mask = guarded_set();
    resume.sa_flags = SA_RESTART;
    sigaction(SIGCONT, &resume, &previous_continue_action);
    handlers_installed = true;
}

void restore_at_exit()
{
    TerminalGuard::restore();
}

} // namespace

void TerminalGuard::arm(int fd, std::string_view bytes)
{
    assert(!is_armed);
    static const bool exit_handler_registered = std::atexit(&restore_at_exit) == 0;
    (void)exit_handler_registered;
    terminal_fd = fd;
    restore_bytes.store(bytes);
    resume_hook = nullptr;
    resume_bytes.store({});
    is_shown = 0;
    is_armed = 1;
    install_handlers();
}

void TerminalGuard::set_restore_bytes(std::string_view bytes)
{
    restore_bytes.store(bytes);
}

void TerminalGuard::set_resume(std::string_view bytes, void (*on_resume)())
{
    resume_bytes.store(bytes);
    resume_hook = on_resume;
}

bool TerminalGuard::armed()
{
    return is_armed != 0;
}

bool TerminalGuard::shown()
{
    return is_shown != 0;
}

// A terminal that is not the process's controlling one has no foreground group for it
// (tcgetpgrp fails): no job control applies, and the process may draw.
bool TerminalGuard::may_draw(pid_t foreground_group, pid_t own_group)
{
    return foreground_group < 0 || foreground_group == own_group;
}

bool TerminalGuard::in_foreground()
{
    return may_draw(tcgetpgrp(terminal_fd), getpgrp());
}

bool TerminalGuard::take_back(bool call_hook)
{
    if (!is_armed || is_shown || !in_foreground())
        return false;
    if (keyboard_held)
        tcsetattr(keyboard_fd, TCSANOW, &keyboard_raw);
    resume_bytes.write_to(terminal_fd);
    is_shown = 1;
    if (void (*hook)() = resume_hook; call_hook && hook != nullptr)
        hook();
    return true;
}

void TerminalGuard::hold_keyboard(int fd, const termios& settings, const termios& raw)
{
    keyboard_fd = fd;
    keyboard_settings = settings;
    keyboard_raw = raw;
    keyboard_held = 1;
}

void TerminalGuard::release_keyboard()
{
    keyboard_held = 0;
}

void TerminalGuard::restore()
{
    // A signal arriving halfway through would find the guard disarmed and end the process
    // with the terminal half restored: the guarded signals wait until this is done.
    const sigset_t blocked = guarded_set();
    sigset_t previous_mask;
    sigprocmask(SIG_BLOCK, &blocked, &previous_mask);

    if (keyboard_held) {
        tcsetattr(keyboard_fd, TCSANOW, &keyboard_settings);
        keyboard_held = 0;
    }
    if (is_armed) {
        is_armed = 0;
        if (is_shown)
            restore_bytes.write_to(terminal_fd);
        is_shown = 0;
    }
    reinstate_previous_actions();

    sigprocmask(SIG_SETMASK, &previous_mask, nullptr);
}

bool TerminalGuard::write_all(int fd, const char* bytes, std::size_t length)
{
    while (length > 0) {
        const ssize_t written = ::write(fd, bytes, length);
        if (written > 0) {
            bytes += written;
            length -= static_cast<std::size_t>(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd wait{fd, POLLOUT, 0};
            if (::poll(&wait, 1, write_wait_ms) > 0)
                continue;
        }
        return false;
    }
    return true;
}

} // namespace console
