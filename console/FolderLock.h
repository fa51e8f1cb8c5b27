#ifndef CORVALD_CONSOLE_FOLDERLOCK_H
#define CORVALD_CONSOLE_FOLDERLOCK_H

#include <cstdint>
#include <string>

namespace console {

// An exclusive lock on a folder for the life of the object, so that programs writing a
// set of files into the same folder take turns: the second waits until the first is
// done. The system lets go of it however the process ends. POSIX locks the folder itself
// (flock on its descriptor); Windows holds a lock file in it, opened for nobody else and
// deleted on close.
class FolderLock {
public:
    // Waits for the lock. Throws std::system_error ("cannot lock FOLDER: reason") when
    // the folder cannot be locked (missing, not a folder, not readable).
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    // A descriptor on POSIX, a handle on Windows.
    std::intptr_t handle_;
};

} // namespace console

#endif
