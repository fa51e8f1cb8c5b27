#include "console/Platform.h"

#include <cstdio>
#include <iostream>
#include <string>

#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "console/MemoryConsole.h"
#include "console/TerminalConsole.h"

namespace {

// Runs the factory in a child whose standard output is `write_fd` and draws through
// std::cout; returns what reached `read_fd` and the child's exit status: 10 when it got a
// memory console holding the drawing, 11 for a terminal console.
std::pair<int, std::string> open_console(int write_fd, int read_fd)
{
    std::cout.flush();
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(write_fd, STDOUT_FILENO);
        const auto console = console::Platform::install_console();
        std::cout << "Hand #1" << std::flush;
        const auto* memory = dynamic_cast<console::MemoryConsole*>(console.get());
        if (memory && memory->surface.text(0, 0, 7) == "Hand #1")
            std::exit(10);
        std::exit(dynamic_cast<console::TerminalConsole*>(console.get()) ? 11 : 1);
    }
    ::close(write_fd);
    std::string output;
    char buffer[4096];
    for (ssize_t count; (count = ::read(read_fd, buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(count));
    ::close(read_fd);
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

} // namespace

TEST(PosixPlatform, MemoryConsoleWithoutATerminalTerminalConsoleOnOne)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    EXPECT_EQ(open_console(fds[1], fds[0]), std::pair(10, std::string()))
        << "output not a terminal: the table is drawn in memory and no byte is written";
    ASSERT_EQ(openpty(&fds[0], &fds[1], nullptr, nullptr, nullptr), 0);
    const auto [status, output] = open_console(fds[1], fds[0]);
    EXPECT_EQ(status, 11);
    EXPECT_NE(output.find("\x1b[?1049h"), std::string::npos) << "takes over the alternate screen";
}
