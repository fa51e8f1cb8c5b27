#include "console/PendingFile.h"

#include <csignal>
#include <filesystem>
#include <string>
#include <system_error>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/ChildProcess.h"

namespace {
namespace fs = std::filesystem;

std::ptrdiff_t files_in(const fs::path& dir)
{
    return std::distance(fs::directory_iterator(dir), fs::directory_iterator());
}
} // namespace

TEST(PendingFile, NamesAreUniqueAndOnlyTheRenamedFileStays)
{
    const fs::path dir = corvald_test::make_temporary_directory();
    const std::string target = (dir / "players.csv").string();
    {
        console::PendingFile first(target), second(target);
        EXPECT_NE(first.path(), second.path());
        EXPECT_EQ(files_in(dir), 2);
        second.write("second\n");
        second.replace_target();
    }
    EXPECT_EQ(corvald_test::read_text_file(target), "second\n");
    EXPECT_EQ(files_in(dir), 1);
    fs::remove_all(dir);
}

// A signal that ends the process during the write removes the file first, and still ends
// the process as that signal.
TEST(PendingFile, EndingSignalRemovesTheFileAndStillEndsTheProcess)
{
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        const fs::path dir = corvald_test::make_temporary_directory();
        const pid_t child = ::fork();
        if (child == 0) {
            console::PendingFile file((dir / "players.csv").string());
            file.write("half");
            std::raise(signal);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_EQ(files_in(dir), 0) << signal;
        fs::remove_all(dir);
    }
}
