#include "console/PendingFile.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace console {

namespace {

// The signals that end the process from outside without a core: Ctrl-C, kill, the
// terminal closing.
constexpr std::array<int, 3> removal_signals = {SIGINT, SIGTERM, SIGHUP};
// Paths a signal handler may read: fixed buffers, no allocation.
constexpr std::size_t max_path = 4096;

struct Slot {
    char path[max_path];
    volatile std::sig_atomic_t used = 0;
};
Slot slots[PendingFile::max_pending];
std::size_t slots_in_use = 0;
struct sigaction previous_actions[removal_signals.size()];
bool installed[removal_signals.size()] = {};

// Removes the pending files, then lets the signal take the course it had before: the
// former handler (the terminal's restore) or the default end, once this one returns.
void on_signal(int signal)
{
    const int saved_errno = errno;
    for (const Slot& slot : slots)
        if (slot.used)
            ::unlink(slot.path);
    for (std::size_t i = 0; i < removal_signals.size(); ++i)
        if (removal_signals[i] == signal && installed[i]) {
            sigaction(signal, &previous_actions[i], nullptr);
            installed[i] = false;
        }
    std::raise(signal);
    errno = saved_errno;
}

sigset_t removal_set()
{
    sigset_t set;
    sigemptyset(&set);
    for (int signal : removal_signals)
        sigaddset(&set, signal);
    return set;
}

// The first pending file installs the handler, the last puts the former ones back. A
// signal the process ignores (nohup) stays ignored.
void install_handlers()
{
    struct sigaction action {};
    action.sa_handler = &on_signal;
    action.sa_mask = removal_set();
    for (std::size_t i = 0; i < removal_signals.size(); ++i) {
        sigaction(removal_signals[i], nullptr, &previous_actions[i]);
        if (previous_actions[i].sa_handler != SIG_IGN) {
            sigaction(removal_signals[i], &action, nullptr);
            installed[i] = true;
        }
    }
}

void reinstate_handlers()
{
    for (std::size_t i = 0; i < removal_signals.size(); ++i)
        if (installed[i]) {
            sigaction(removal_signals[i], &previous_actions[i], nullptr);
            installed[i] = false;
        }
}

// Takes a slot for `path` with the removal signals held back; max_pending when none is
// free or the path does not fit.
std::size_t take_slot(const std::string& path)
{
    if (path.size() >= max_path)
        return PendingFile::max_pending;
    const sigset_t blocked = removal_set();
    sigset_t previous;
    sigprocmask(SIG_BLOCK, &blocked, &previous);
    std::size_t index = 0;
    while (index < PendingFile::max_pending && slots[index].used)
        ++index;
    if (index < PendingFile::max_pending) {
        std::memcpy(slots[index].path, path.c_str(), path.size() + 1);
        slots[index].used = 1;
        if (slots_in_use++ == 0)
            install_handlers();
    }
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    return index;
}

void release_slot(std::size_t index)
{
    if (index >= PendingFile::max_pending)
        return;
    const sigset_t blocked = removal_set();
    sigset_t previous;
    sigprocmask(SIG_BLOCK, &blocked, &previous);
    slots[index].used = 0;
    if (--slots_in_use == 0)
        reinstate_handlers();
    sigprocmask(SIG_SETMASK, &previous, nullptr);
}

[[noreturn]] void fail(const std::string& what, const std::string& target)
{
    throw std::system_error(errno, std::generic_category(), what + " " + target);
}

// Tells apart the names one process makes.
std::atomic<unsigned> files_made{0};

} // namespace

// The process id and a count make the name; the exclusive creation makes it the caller's
// alone even beside a file a killed run of the same id left.
PendingFile::PendingFile(const std::string& target) : target_(target)
{
    const std::string stem = target + ".partial-" + std::to_string(::getpid()) + '-';
    for (;;) {
        path_ = stem + std::to_string(files_made++);
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            slot_ = take_slot(path_);
            return;
        }
        if (errno != EEXIST)
            fail("cannot write", target_);
    }
}

PendingFile::~PendingFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (!done_)
        ::unlink(path_.c_str());
    release_slot(slot_);
}

void PendingFile::write(const std::string& content)
{
    const char* bytes = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd_, bytes, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail("cannot write", target_);
        bytes += written;
        left -= static_cast<std::size_t>(written);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        fail("cannot write", target_);
}

void PendingFile::replace_target()
{
    if (::rename(path_.c_str(), target_.c_str()) != 0)
        fail("cannot replace", target_);
    done_ = true;
}

} // namespace console
