#include "console/PendingFile.h"

#include <csignal>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/ChildProcess.h"

namespace fs = std::filesystem;

// Two pending files for one target never share a name; a signal that ends the process
// during the write removes the files first and still ends the process as that signal.
TEST(PendingFile, NamesAreUniqueAndAnEndingSignalRemovesTheFiles)
{
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const fs::path dir = corvald_test::make_temporary_directory();
        const pid_t child = ::fork();
        if (child == 0) {
            console::PendingFile file((dir / "players.csv").string()), other((dir / "players.csv").string());
            file.write("half");
            if (file.path() != other.path() && fs::exists(file.path()) && fs::exists(other.path()))
                std::raise(signal);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_TRUE(fs::is_empty(dir)) << signal;
        fs::remove_all(dir);
    }
}
