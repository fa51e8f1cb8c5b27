#include "console/FolderLock.h"

#include <chrono>
#include <system_error>
#include <thread>

#include <windows.h>

namespace console {

namespace {

// The file that stands for the folder's lock while a program holds it.
const char lock_file[] = "\\.corvald.lock";
// How often a waiting program tries again.
constexpr std::chrono::milliseconds retry_interval{50};
// A lock file being deleted as its holder closes it refuses access for a moment; a
// folder that keeps refusing is one the program may not write in.
constexpr int access_retries = 100;

} // namespace

// A file opened with no sharing cannot be opened again until it is closed: a second
// program gets a sharing violation and waits.
FolderLock::FolderLock(const std::string& folder)
{
    const std::string path = folder + lock_file;
    for (int refused = 0;;) {
        const HANDLE file =
            ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = reinterpret_cast<std::intptr_t>(file);
            return;
        }
        const DWORD reason = ::GetLastError();
        if (reason == ERROR_ACCESS_DENIED)
            ++refused;
        if (reason != ERROR_SHARING_VIOLATION
            && (reason != ERROR_ACCESS_DENIED || refused > access_retries))
            throw std::system_error(static_cast<int>(reason), std::system_category(),
                                    "cannot lock " + folder);
        std::this_thread::sleep_for(retry_interval);
    }
}

FolderLock::~FolderLock()
{
    ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

} // namespace console
