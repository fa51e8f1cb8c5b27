#include "console/PendingFile.h"

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>
#include <system_error>

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
        const corvald_test::TemporaryDirectory dir;
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
    }
}

// A folder that is not there is a fault naming the file; the signal handlers are the
// program's own again once the last pending file is gone, and not before.
TEST(PendingFile, MissingFolderIsAFaultAndTheHandlersReturnWithTheLastFile)
{
    try {
        console::PendingFile file("/nonexistent-folder/players.csv");
        ADD_FAILURE() << file.path();
    } catch (const std::system_error& fault) {
        EXPECT_EQ(fault.code().value(), ENOENT);
        EXPECT_EQ(std::string(fault.what()).rfind("cannot write /nonexistent-folder/players.csv", 0), 0u);
    }
    const auto handler = [] {
        struct sigaction action {};
        ::sigaction(SIGTERM, nullptr, &action);
        return action.sa_handler;
    };
    const auto own = handler();
    const corvald_test::TemporaryDirectory dir;
    {
        console::PendingFile first((dir / "a").string());
        {
            console::PendingFile second((dir / "b").string());
        }
        EXPECT_NE(handler(), own);
    }
    EXPECT_EQ(handler(), own);
}
