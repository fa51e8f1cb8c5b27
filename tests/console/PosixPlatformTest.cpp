#include "console/Platform.h"

#include <cstdio>
#include <iostream>
#include <string>

#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "console/MemoryConsole.h"
#include "console/TerminalConsole.h"

namespace {

// Exit statuses of the child.
constexpr int memory_console_drew = 10;
constexpr int terminal_console_opened = 11;
constexpr int something_else = 12;

// Runs the installing factory in a child whose standard output is `fd`, writes through
// std::cout and says what it got; returns the exit status and fills `output` with what
// reached `read_fd`.
int open_console_with_output(int fd, int read_fd, std::string& output)
{
    std::cout.flush();
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        ::close(read_fd);
        dup2(fd, STDOUT_FILENO);
        const auto console = console::Platform::install_console();
        std::cout << "Hand #1";
        std::cout.flush();
        int status = something_else;
        if (auto* memory = dynamic_cast<console::MemoryConsole*>(console.get()))
            status = memory->surface.text(0, 0, 7) == "Hand #1" ? memory_console_drew : something_else;
        else if (dynamic_cast<console::TerminalConsole*>(console.get()))
            status = terminal_console_opened;
        std::exit(status);
    }
    ::close(fd);
    char buffer[4096];
    for (ssize_t count; (count = ::read(read_fd, buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(count));
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(PosixPlatform, OutputNotATerminalGetsAMemoryConsoleAndNoBytes)
{
    int pipe_fds[2];
    ASSERT_EQ(pipe(pipe_fds), 0);
    std::string output;
    EXPECT_EQ(open_console_with_output(pipe_fds[1], pipe_fds[0], output), memory_console_drew);
    EXPECT_EQ(output, "");
    ::close(pipe_fds[0]);
}

TEST(PosixPlatform, TerminalOutputGetsATerminalConsole)
{
    int master = -1;
    int slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    std::string output;
    EXPECT_EQ(open_console_with_output(slave, master, output), terminal_console_opened);
    EXPECT_NE(output.find("\x1b[?1049h"), std::string::npos);
    ::close(master);
}
