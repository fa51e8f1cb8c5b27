#include "console/FolderLock.h"

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace console {

FolderLock::FolderLock(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw std::system_error(errno, std::generic_category(), "cannot lock " + folder);
    // Waits while another process holds it; a signal that interrupts the wait and returns
    // leaves the wait to go on.
    int locked = 0;
    while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (locked != 0) {
        const int reason = errno;
        ::close(fd);
        throw std::system_error(reason, std::generic_category(), "cannot lock " + folder);
    }
    handle_ = fd;
}

// Closing the descriptor lets go of the lock.
FolderLock::~FolderLock()
{
    ::close(static_cast<int>(handle_));
}

} // namespace console
