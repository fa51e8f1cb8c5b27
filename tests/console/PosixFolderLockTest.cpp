#include "console/FolderLock.h"

#include <cerrno>
#include <filesystem>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/ChildProcess.h"

// Run with its standard input closed (from a scheduler, say), the program gets descriptor 0
// for the folder, and that is as good a descriptor as any other; an EINTR left in errno by
// an earlier call does not make it wait again once it holds the lock.
TEST(FolderLock, TakesTheFolderWhenTheSystemGivesItDescriptorZero)
{
    const corvald_test::TemporaryDirectory dir;
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(30); // a child that hangs must not outlive the test
        ::close(0);
        errno = EINTR;
        try {
            console::FolderLock lock(dir.string());
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}
