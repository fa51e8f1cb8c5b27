#include "console/TerminalConsole.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <iostream>
#include <string>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utmp.h>

#include <gtest/gtest.h>

#include "console/Console.h"
#include "console/StreamBuf.h"
#include "console/TerminalKeyboard.h"
#include "support/ScreenSketch.h"
#include "support/TerminalEmulator.h"
#include "support/TerminalScreenMatch.h"

using console::TerminalConsole;
using console::test::TerminalEmulator;
using console::test::screen_differences;
using namespace std::chrono_literals;

namespace {

constexpr int width = console::screen_width;
constexpr int height = console::screen_height;
constexpr std::string_view hand_back = "\x1b[0m\x1b[?7h\x1b[?25h\x1b[?1049l";
// Long enough that no drawing in a test ever reaches the terminal before a flush.
constexpr std::chrono::milliseconds never = std::chrono::hours(1);
// How long output takes at most to cross the pseudo-terminal: the first bytes expected,
// and the next ones once some came.
constexpr int first_bytes_ms = 2000;
constexpr int quiet_ms = 100;
constexpr int child_timeout_ms = 10000;

// A pseudo-terminal: the console under test writes to the slave side, the test reads
// the master side and feeds it to an emulator.
class Pty {
public:
    Pty(int columns, int rows)
    {
        winsize size{};
        size.ws_col = static_cast<unsigned short>(columns);
        size.ws_row = static_cast<unsigned short>(rows);
        EXPECT_EQ(openpty(&master, &slave, nullptr, nullptr, &size), 0);
        // Bytes pass as written (no newline translation).
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
            ::close(slave);
        slave = -1;
    }

    void resize(int columns, int rows)
    {
        winsize size{};
        size.ws_col = static_cast<unsigned short>(columns);
        size.ws_row = static_cast<unsigned short>(rows);
        ioctl(master, TIOCSWINSZ, &size);
    }

    // What arrived until nothing more came for a while, or until the slave side was
    // closed by everyone (a child that ended). The first bytes may take up to `first`
    // milliseconds (a loaded machine), the next ones `quiet`.
    std::string drain(int first = first_bytes_ms, int quiet = quiet_ms)
    {
        std::string bytes;
        for (;;) {
            pollfd wait{master, POLLIN, 0};
            if (::poll(&wait, 1, bytes.empty() ? first : quiet) <= 0)
                return bytes;
            char buffer[4096];
            const ssize_t count = ::read(master, buffer, sizeof buffer);
            if (count > 0)
                bytes.append(buffer, static_cast<std::size_t>(count));
            else if (!(count < 0 && (errno == EINTR || errno == EAGAIN)))
                return bytes;
        }
    }

    int master = -1;
    int slave = -1;
};

// Runs `child` in a forked process and returns its wait status.
template <typename Child>
int run_child(Pty& pty, std::string& output, Child child)
{
    std::cout.flush();
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        ::close(pty.master);
        child();
        _exit(99);
    }
    pty.close_slave();
    output = pty.drain(child_timeout_ms, child_timeout_ms);
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

// The console installed, with std::cout routed into it, for a test's duration.
class Installed {
public:
    explicit Installed(console::Console& console) : previous_(&console::Console::current())
    {
        console::Console::install(&console);
    }
    ~Installed()
    {
        std::cout.flush();
        console::Console::install(previous_);
    }

private:
    console::Console* previous_;
    console::StreamRedirect redirect_{std::cout};
};

bool ends_with(std::string_view bytes, std::string_view tail)
{
    return bytes.size() >= tail.size() && bytes.substr(bytes.size() - tail.size()) == tail;
}

} // namespace

TEST(TerminalConsole, DrawingStaysInMemoryUntilFlushShowsItWithTheCursorAtTheInputLine)
{
    Pty pty(width, height);
    TerminalEmulator terminal(width, height);
    TerminalConsole console(pty.slave, never);
    Installed installed(console);

    console::test::draw_screen_sketch();
    terminal.feed(pty.drain());
    EXPECT_TRUE(terminal.alternate_screen());
    EXPECT_FALSE(terminal.cursor_visible());
    EXPECT_EQ(console::test::row_text(terminal, 0, 1, 8), "        ");

    console.flush();
    terminal.feed(pty.drain());
    EXPECT_EQ(screen_differences(terminal, console.surface(), width, height), "");
    EXPECT_TRUE(terminal.cursor_visible());
    EXPECT_EQ(terminal.cursor_x(), 2);
    EXPECT_EQ(terminal.cursor_y(), 4);
}

TEST(TerminalConsole, DrawingReachesTheTerminalOnceTheFrameIntervalHasPassed)
{
    Pty pty(width, height);
    TerminalEmulator terminal(width, height);
    TerminalConsole console(pty.slave, 0ms);
    terminal.feed(pty.drain());

    console.write_characters(3, 5, "abc", 3);
    terminal.feed(pty.drain());
    EXPECT_EQ(console::test::row_text(terminal, 3, 5, 3), "abc");
    EXPECT_FALSE(terminal.cursor_visible());
}

TEST(TerminalConsole, EndingHandsTheTerminalBackAndUninstalls)
{
    Pty pty(width, height);
    TerminalEmulator terminal(width, height);
    {
        TerminalConsole console(pty.slave, never);
        console::Console::install(&console);
        console.write_characters(0, 0, "x", 1);
        console.flush();
    }
    const std::string bytes = pty.drain();
    terminal.feed(bytes);
    EXPECT_TRUE(ends_with(bytes, hand_back));
    EXPECT_FALSE(terminal.alternate_screen());
    EXPECT_TRUE(terminal.cursor_visible());
    // The process-wide memory console is back.
    EXPECT_EQ(dynamic_cast<TerminalConsole*>(&console::Console::current()), nullptr);
}

TEST(TerminalConsole, ResizeAsksASmallWindowToGrowAndBackAtTheEnd)
{
    {
        Pty pty(40, 20);
        TerminalEmulator terminal(width, height);
        {
            TerminalConsole console(pty.slave, never);
            console.resize(width, height);
            terminal.feed(pty.drain());
            ASSERT_EQ(terminal.window_operations().size(), 1u);
            EXPECT_EQ(terminal.window_operations()[0], (std::vector<long>{8, 60, 58}));
        }
        terminal.feed(pty.drain());
        ASSERT_EQ(terminal.window_operations().size(), 2u);
        EXPECT_EQ(terminal.window_operations()[1], (std::vector<long>{8, 20, 40}));
    }
    {
        // Only the dimension that is too small grows; a large window is left alone.
        Pty pty(100, 50);
        TerminalEmulator terminal(100, 60);
        TerminalConsole console(pty.slave, never);
        console.resize(width, height);
        terminal.feed(pty.drain());
        ASSERT_EQ(terminal.window_operations().size(), 1u);
        EXPECT_EQ(terminal.window_operations()[0], (std::vector<long>{8, 60, 100}));
    }
    {
        Pty pty(120, 70);
        TerminalEmulator terminal(120, 70);
        TerminalConsole console(pty.slave, never);
        console.resize(width, height);
        terminal.feed(pty.drain());
        EXPECT_TRUE(terminal.window_operations().empty());
    }
}

TEST(TerminalConsole, WindowChangeRepaintsAtOnceWhileWaitingForInputAndLaterWhileDrawing)
{
    Pty pty(width, height);
    TerminalEmulator terminal(width, height);
    TerminalConsole console(pty.slave, never);
    Installed installed(console);
    console::test::draw_screen_sketch();
    console.flush();
    terminal.feed(pty.drain());

    // Waiting for input: the signal handler repaints for the new size.
    pty.resize(40, 20);
    std::raise(SIGWINCH);
    terminal.feed(pty.drain());
    const std::string notice = console::TerminalRenderer::notice(width, height, 40, 20);
    EXPECT_EQ(console::test::row_text(terminal, 0, 19, static_cast<int>(notice.size())), notice);
    EXPECT_TRUE(terminal.cursor_visible());

    // Drawing: nothing until the next update, which repaints.
    console.write_characters(0, 0, "y", 1);
    pty.resize(width, height);
    std::raise(SIGWINCH);
    EXPECT_EQ(pty.drain(quiet_ms), "");
    console.flush();
    terminal.feed(pty.drain());
    EXPECT_EQ(screen_differences(terminal, console.surface(), width, height), "");
}

TEST(TerminalConsole, ExitHandsTheTerminalBack)
{
    Pty pty(width, height);
    std::string output;
    const int status = run_child(pty, output, [&] {
        auto* console = new TerminalConsole(pty.slave, never);
        console::Console::install(console);
        console->write_characters(0, 0, "bye", 3);
        console->flush();
        std::exit(3);
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3);
    EXPECT_TRUE(ends_with(output, hand_back));
    TerminalEmulator terminal(width, height);
    terminal.feed(output);
    EXPECT_FALSE(terminal.alternate_screen());
    EXPECT_TRUE(terminal.cursor_visible());
}

TEST(TerminalConsole, EndingSignalsHandTheTerminalBackAndStillEndTheProcess)
{
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        SCOPED_TRACE(strsignal(signal));
        Pty pty(width, height);
        std::string output;
        const int status = run_child(pty, output, [&] {
            const rlimit no_core{0, 0};
            setrlimit(RLIMIT_CORE, &no_core);
            auto* console = new TerminalConsole(pty.slave, never);
            console->write_characters(0, 0, "x", 1);
            console->flush();
            std::raise(signal);
            _exit(0);
        });
        ASSERT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(WTERMSIG(status), signal);
        EXPECT_TRUE(ends_with(output, hand_back));
    }
}

TEST(TerminalConsole, IgnoredHangupStaysIgnored)
{
    Pty pty(width, height);
    std::string output;
    const int status = run_child(pty, output, [&] {
        std::signal(SIGHUP, SIG_IGN);
        auto* console = new TerminalConsole(pty.slave, never);
        console->flush();
        std::raise(SIGHUP);
        delete console;
        _exit(0);
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(ends_with(output, hand_back));
}

TEST(TerminalConsole, WaitSpaceReturnsOnTheSpaceBarOnlyAndRestoresTheKeyboard)
{
    Pty pty(width, height);
    std::cout.flush();
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        ::close(pty.master);
        // The pseudo-terminal becomes the child's controlling terminal and standard streams.
        if (login_tty(pty.slave) != 0)
            _exit(2);
        termios cooked{};
        tcgetattr(STDIN_FILENO, &cooked);
        cooked.c_lflag |= ICANON | ECHO;
        tcsetattr(STDIN_FILENO, TCSANOW, &cooked);
        TerminalConsole console(STDOUT_FILENO, never);
        const bool waited = console.wait_space();
        termios after{};
        tcgetattr(STDIN_FILENO, &after);
        const bool restored = (after.c_lflag & (ICANON | ECHO)) == (ICANON | ECHO);
        _exit(waited && restored ? 0 : 1);
    }
    pty.close_slave();

    // Wait until the child's keyboard is in raw mode (reading the terminal's settings from
    // the master side), then type.
    termios settings{};
    for (int i = 0; i < child_timeout_ms / 10; ++i) {
        pty.drain(0, 0);
        tcgetattr(pty.master, &settings);
        if (!(settings.c_lflag & ICANON))
            break;
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_FALSE(settings.c_lflag & ICANON);
    ASSERT_EQ(::write(pty.master, "x\r", 2), 2);
    pty.drain(quiet_ms);
    int status = 0;
    EXPECT_EQ(waitpid(pid, &status, WNOHANG), 0) << "returned on another key";
    ASSERT_EQ(::write(pty.master, " ", 1), 1);
    pty.drain(child_timeout_ms, child_timeout_ms);
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(TerminalConsole, WaitSpaceWithoutControllingTerminalReturnsFalseAtOnce)
{
    std::cout.flush();
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        // A new session has no controlling terminal.
        setsid();
        _exit(console::TerminalKeyboard::wait_for(' ') ? 1 : 0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
