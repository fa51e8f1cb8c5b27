#include "console/TerminalConsole.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <iostream>
#include <string>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "console/Colour.h"
#include "support/TerminalEmulator.h"

using console::TerminalConsole;
using console::test::TerminalEmulator;

namespace {

constexpr int width = console::screen_width;
constexpr int height = console::screen_height;
constexpr std::string_view hand_back = "\x1b[0m\x1b[?7h\x1b[?25h\x1b[?1049l";
// Long enough that no drawing in a test reaches the terminal before a flush.
constexpr std::chrono::milliseconds never = std::chrono::hours(1);
// How long output may take to cross the pseudo-terminal on a loaded machine: the first
// bytes, the next ones once some came, and a child process's whole output.
constexpr int first_bytes_ms = 2000;
constexpr int quiet_ms = 100;
constexpr int child_ms = 10000;

// A pseudo-terminal in raw mode: the console under test writes to the slave side, the
// test reads the master side.
struct Pty {
    Pty(int columns, int rows)
    {
        EXPECT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
        resize(columns, rows);
        termios raw{};
        tcgetattr(slave, &raw);
        cfmakeraw(&raw);
        tcsetattr(slave, TCSANOW, &raw);
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    }
    ~Pty()
    {
        close_slave();
        ::close(master);
    }
    void close_slave()
    {
        if (slave >= 0)
            ::close(std::exchange(slave, -1));
    }
    void resize(int columns, int rows)
    {
        const winsize size{static_cast<unsigned short>(rows), static_cast<unsigned short>(columns),
                           0, 0};
        ioctl(master, TIOCSWINSZ, &size);
    }
    // What arrived until nothing more came for a while (`first` ms for the first bytes,
    // `quiet` for the next), or until every slave side was closed.
    std::string drain(int first = first_bytes_ms, int quiet = quiet_ms)
    {
        std::string bytes;
        char buffer[4096];
        for (pollfd wait{master, POLLIN, 0}; ::poll(&wait, 1, bytes.empty() ? first : quiet) > 0;) {
            const ssize_t count = ::read(master, buffer, sizeof buffer);
            if (count > 0)
                bytes.append(buffer, static_cast<std::size_t>(count));
            else if (!(count < 0 && (errno == EINTR || errno == EAGAIN)))
                break;
        }
        return bytes;
    }
    int master = -1;
    int slave = -1;
};

// Runs `child` in a forked process and returns its wait status, with what it wrote to
// the pseudo-terminal (if any) until it ended.
template <typename Child>
int run_child(Child child, Pty* pty = nullptr, std::string* output = nullptr)
{
    std::cout.flush();
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        child();
        _exit(99);
    }
    if (pty != nullptr) {
        pty->close_slave();
        *output = pty->drain(child_ms, child_ms);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

} // namespace

TEST(TerminalConsole, DrawingShowsOnFlushAndAWindowChangeRepaintsOnlyWhileWaiting)
{
    Pty pty(width, height);
    TerminalEmulator terminal(width, height);
    TerminalConsole console(pty.slave, never);
    console.fill_attribute(17, 7, console::colour::table_green, 21 * 16);
    console.write_characters(0, 1, "Hand #12", 8);
    console.set_cursor(1, 3);
    console.write_text("Enter flop cards\n ", 18);
    terminal.feed(pty.drain());
    EXPECT_TRUE(terminal.alternate_screen());
    EXPECT_EQ(terminal.text(0, 1, 8), "        ") << "drawn before the flush";
    console.flush();
    terminal.feed(pty.drain());
    EXPECT_EQ(terminal.differences(console.surface(), width, height), "");
    EXPECT_TRUE(terminal.cursor_visible());
    EXPECT_EQ(terminal.cursor(), std::pair(1, 4));

    // Waiting for input after the flush: the signal handler repaints for the new size.
    pty.resize(40, 20);
    std::raise(SIGWINCH);
    terminal.feed(pty.drain());
    const std::string notice = console::TerminalRenderer::notice(width, height, 40, 20);
    EXPECT_EQ(terminal.text(0, 19, static_cast<int>(notice.size())), notice);
    // Drawing: nothing until the next update, which repaints.
    console.write_characters(0, 0, "y", 1);
    pty.resize(width, height);
    std::raise(SIGWINCH);
    EXPECT_EQ(pty.drain(quiet_ms), "");
    console.flush();
    terminal.feed(pty.drain());
    EXPECT_EQ(terminal.differences(console.surface(), width, height), "");
}

// Every way out hands the terminal back: std::exit, the ending signals (the process still
// dies of them), and the destructor where an ignored hangup (nohup) stays ignored.
TEST(TerminalConsole, ExitAndEndingSignalsHandTheTerminalBack)
{
    const int exiting = 0;
    const struct { int signal; bool ignored; } endings[] = {
        {exiting, false}, {SIGINT, false}, {SIGTERM, false},
        {SIGHUP, false},  {SIGQUIT, false}, {SIGHUP, true}};
    for (const auto& ending : endings) {
        SCOPED_TRACE(std::string(ending.signal == exiting ? "exit" : strsignal(ending.signal))
                     + (ending.ignored ? " ignored" : ""));
        Pty pty(width, height);
        std::string output;
        const int status = run_child([&] {
            const rlimit no_core{0, 0};
            setrlimit(RLIMIT_CORE, &no_core);
            if (ending.ignored)
                std::signal(ending.signal, SIG_IGN);
            auto* console = new TerminalConsole(pty.slave, never);
            console::Console::install(console);
            console->write_characters(0, 0, "x", 1);
            console->flush();
            if (ending.signal == exiting)
                std::exit(3);
            std::raise(ending.signal);
            delete console;
            // The memory console must be back, not a dangling pointer to this one.
            _exit(dynamic_cast<TerminalConsole*>(&console::Console::current()) ? 1 : 0);
        }, &pty, &output);
        if (ending.signal == exiting || ending.ignored) {
            ASSERT_TRUE(WIFEXITED(status));
            EXPECT_EQ(WEXITSTATUS(status), ending.ignored ? 0 : 3);
        } else {
            ASSERT_TRUE(WIFSIGNALED(status));
            EXPECT_EQ(WTERMSIG(status), ending.signal);
        }
        EXPECT_EQ(output.substr(output.size() - std::min(output.size(), hand_back.size())),
                  hand_back);
    }
}

TEST(TerminalConsole, WaitSpaceWithoutControllingTerminalReturnsFalseAtOnce)
{
    Pty pty(width, height);
    std::string output;
    const int status = run_child([&] {
        setsid(); // a new session has no controlling terminal
        _exit(TerminalConsole(pty.slave, never).wait_space() ? 1 : 0);
    }, &pty, &output);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}
