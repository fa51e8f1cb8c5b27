#include "console/PendingFile.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

namespace console {

namespace {

// Windows raises only these two of the signals that end a POSIX process from outside.
constexpr std::array<int, 2> removal_signals = {SIGINT, SIGTERM};
constexpr std::size_t max_path = 4096;
// _write takes an unsigned count; a larger content goes in pieces this big.
constexpr unsigned max_write = 1u << 30;

struct Slot {
    char path[max_path];
    volatile std::sig_atomic_t used = 0;
};
Slot slots[PendingFile::max_pending];
std::atomic<std::size_t> slots_in_use{0};
void (*previous_handlers[removal_signals.size()])(int) = {};

// Removes the pending files and lets the signal take its former course.
void on_signal(int signal)
{
    for (const Slot& slot : slots)
        if (slot.used)
            ::DeleteFileA(slot.path);
    for (std::size_t i = 0; i < removal_signals.size(); ++i)
        if (removal_signals[i] == signal)
            std::signal(signal, previous_handlers[i] == SIG_ERR ? SIG_DFL : previous_handlers[i]);
    std::raise(signal);
}

std::size_t take_slot(const std::string& path)
{
    if (path.size() >= max_path)
        return PendingFile::max_pending;
    std::size_t index = 0;
    while (index < PendingFile::max_pending && slots[index].used)
        ++index;
    if (index < PendingFile::max_pending) {
        std::memcpy(slots[index].path, path.c_str(), path.size() + 1);
        slots[index].used = 1;
        if (slots_in_use++ == 0)
            for (std::size_t i = 0; i < removal_signals.size(); ++i)
                previous_handlers[i] = std::signal(removal_signals[i], &on_signal);
    }
    return index;
}

void release_slot(std::size_t index)
{
    if (index >= PendingFile::max_pending)
        return;
    slots[index].used = 0;
    if (--slots_in_use == 0)
        for (std::size_t i = 0; i < removal_signals.size(); ++i)
            if (previous_handlers[i] != SIG_ERR)
                std::signal(removal_signals[i], previous_handlers[i]);
}

[[noreturn]] void fail(const std::string& what, const std::string& target, int reason)
{
    throw std::system_error(reason, std::generic_category(), what + " " + target);
}

std::atomic<unsigned> files_made{0};

} // namespace

PendingFile::PendingFile(const std::string& target) : target_(target)
{
    const std::string stem = target + ".partial-" + std::to_string(::_getpid()) + '-';
    for (;;) {
        path_ = stem + std::to_string(files_made++);
        fd_ = ::_open(path_.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                      _S_IREAD | _S_IWRITE);
        if (fd_ >= 0) {
            slot_ = take_slot(path_);
            return;
        }
        if (errno != EEXIST)
            fail("cannot write", target_, errno);
    }
}

PendingFile::~PendingFile()
{
    if (fd_ >= 0)
        ::_close(fd_);
    if (!done_)
        ::DeleteFileA(path_.c_str());
    release_slot(slot_);
}

void PendingFile::write(const std::string& content)
{
    const char* bytes = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const unsigned chunk = left > max_write ? max_write : static_cast<unsigned>(left);
        const int written = ::_write(fd_, bytes, chunk);
        if (written <= 0)
            fail("cannot write", target_, errno);
        bytes += written;
        left -= static_cast<std::size_t>(written);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::_close(fd) != 0)
        fail("cannot write", target_, errno);
}

// MoveFileEx replaces an existing target, which rename() on Windows refuses to.
void PendingFile::replace_target()
{
    if (!::MoveFileExA(path_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING))
        throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(),
                                "cannot replace " + target_);
    done_ = true;
}

} // namespace console
