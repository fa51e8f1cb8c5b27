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
int terminal_fd = -1;

// Two buffers, so the bytes can be replaced while a signal may read the other one.
char restore_buffers[2][TerminalGuard::max_restore_bytes];
std::size_t restore_lengths[2] = {0, 0};
volatile std::sig_atomic_t current_buffer = 0;

volatile std::sig_atomic_t keyboard_held = 0;
int keyboard_fd = -1;
termios keyboard_settings{};

struct sigaction previous_actions[guarded_signals.size()];
bool handlers_installed = false;

sigset_t guarded_set()
{
    sigset_t set;
    sigemptyset(&set);
    for (int signal : guarded_signals)
        sigaddset(&set, signal);
    return set;
}

void reinstate_previous_actions()
{
    if (!handlers_installed)
        return;
    for (std::size_t i = 0; i < guarded_signals.size(); ++i)
        sigaction(guarded_signals[i], &previous_actions[i], nullptr);
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
    handlers_installed = true;
}

void restore_at_exit()
{
    TerminalGuard::restore();
}

void store_restore_bytes(std::string_view bytes)
{
    assert(bytes.size() <= TerminalGuard::max_restore_bytes);
    const std::size_t length = std::min(bytes.size(), TerminalGuard::max_restore_bytes);
    const int next = current_buffer == 0 ? 1 : 0;
    bytes.copy(restore_buffers[next], length);
    restore_lengths[next] = length;
    current_buffer = next;
}

} // namespace

void TerminalGuard::arm(int fd, std::string_view restore_bytes)
{
    assert(!is_armed);
    static const bool exit_handler_registered = std::atexit(&restore_at_exit) == 0;
    (void)exit_handler_registered;
    terminal_fd = fd;
    store_restore_bytes(restore_bytes);
    is_armed = 1;
    install_handlers();
}

void TerminalGuard::set_restore_bytes(std::string_view restore_bytes)
{
    store_restore_bytes(restore_bytes);
}

bool TerminalGuard::armed()
{
    return is_armed != 0;
}

void TerminalGuard::hold_keyboard(int fd, const termios& settings)
{
    keyboard_fd = fd;
    keyboard_settings = settings;
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
        const int buffer = current_buffer;
        write_all(terminal_fd, restore_buffers[buffer], restore_lengths[buffer]);
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
