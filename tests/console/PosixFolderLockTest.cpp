#include "console/FolderLock.h"

#include <filesystem>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/ChildProcess.h"

// Run with its standard input closed (from a scheduler, say), the program gets descriptor 0
// for the folder, and that is as good a descriptor as any other.
TEST(FolderLock, TakesTheFolderWhenTheSystemGivesItDescriptorZero)
{
    const corvald_test::TemporaryDirectory dir;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(0);
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
