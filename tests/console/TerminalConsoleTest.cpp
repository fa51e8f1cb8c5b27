#include "console/TerminalConsole.h"
#include "console/TerminalGuard.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <iostream>
#include <string>
#include <utility>

#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using console::TerminalConsole;

namespace {

constexpr int width = console::screen_width;
constexpr int height = console::screen_height;
// Long enough that no drawing in a test reaches the terminal before a flush.
constexpr std::chrono::milliseconds never = std::chrono::hours(1);
// How long output may take to cross the pseudo-terminal on a loaded machine: the first
// bytes, the next ones, and a child process's whole output.
constexpr int first_bytes_ms = 2000;
constexpr int quiet_ms = 100;
constexpr int child_ms = 10000;
// What hands the terminal back: colours reset, line wrap and cursor on, the main screen.
const std::string hand_back = "\x1b[0m\x1b[?7h\x1b[?25h\x1b[?1049l";

// A pseudo-terminal: the console under test writes to the slave side, the test reads the
// master side.
struct Pty {
    Pty()
    {
        EXPECT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
        resize(width, height);
    }
    ~Pty()
    {
        ::close(slave);
        ::close(master);
    }
    void resize(int columns, int rows)
    {
        const winsize size{static_cast<unsigned short>(rows), static_cast<unsigned short>(columns), 0, 0};
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
            else if (!(count < 0 && errno == EINTR))
                break;
        }
        return bytes;
    }
    int master = -1, slave = -1;
};

// Runs `child` in a forked process writing to `pty`; returns its wait status and what it
// wrote until it ended.
template <typename Child>
std::pair<int, std::string> run_child(Pty& pty, Child child)
{
    std::cout.flush();
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        child();
        _exit(99);
    }
    ::close(std::exchange(pty.slave, -1));
    std::string output = pty.drain(child_ms, child_ms);
    int status = 0;
    waitpid(pid, &status, 0);
    return {status, output};
}

} // namespace

// The picture itself is the renderer's business; here: when the console writes it.
TEST(TerminalConsole, DrawingShowsOnFlushAndAWindowChangeRepaintsOnlyWhileWaiting)
{
    Pty pty;
    TerminalConsole console(pty.slave, never);
    console.write_characters(0, 1, "Hand #12", 8);
    EXPECT_EQ(pty.drain().find("Hand"), std::string::npos) << "drawn before the flush";
    console.flush();
    EXPECT_NE(pty.drain().find("Hand #12"), std::string::npos);
    // Waiting for input after the flush: the signal handler repaints for the new size.
    pty.resize(40, 20);
    std::raise(SIGWINCH);
    EXPECT_NE(pty.drain().find(console::TerminalRenderer::notice(width, height, 40, 20)), std::string::npos);
    // Drawing: nothing until the next update, which repaints.
    console.write_characters(0, 2, "Pot 5", 5);
    pty.resize(width, height);
    std::raise(SIGWINCH);
    EXPECT_EQ(pty.drain(quiet_ms), "");
    console.flush();
    const std::string repaint = pty.drain();
    EXPECT_NE(repaint.find("Pot 5"), std::string::npos);
    EXPECT_NE(repaint.find("Hand #12"), std::string::npos) << "only the change written";
}

// Every way out hands the terminal back: std::exit, the ending signals (the process still
// dies of them), and the destructor where an ignored hangup (nohup) stays ignored.
TEST(TerminalConsole, ExitAndEndingSignalsHandTheTerminalBack)
{
    const int exiting = 0;
    const struct {
        int signal;
        bool ignored;
    } endings[] = {{exiting, false}, {SIGINT, false},  {SIGTERM, false},
                   {SIGHUP, false},  {SIGQUIT, false}, {SIGHUP, true}};
    for (const auto& ending : endings) {
        SCOPED_TRACE(std::string(ending.signal == exiting ? "exit" : strsignal(ending.signal))
                     + (ending.ignored ? " ignored" : ""));
        Pty pty;
        const auto [status, output] = run_child(pty, [&] {
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
        });
        if (ending.signal == exiting || ending.ignored)
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == (ending.ignored ? 0 : 3));
        else
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == ending.signal);
        EXPECT_THAT(output, testing::EndsWith(hand_back)) << "status " << status;
    }
}

// Ctrl-Z hands the terminal back before the process stops; continued, the process takes it
// over again and, as it waits for input, paints everything at once.
TEST(TerminalConsole, CtrlZHandsTheTerminalBackAndTheContinuationRepaints)
{
    Pty pty;
    std::cout.flush();
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        // A process group of its own, with the parent in the same session: not orphaned,
        // so the stop takes effect.
        setpgid(0, 0);
        TerminalConsole console(pty.slave, never);
        console.write_characters(0, 1, "Hand #7", 7);
        console.flush();
        std::raise(SIGTSTP);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, WUNTRACED), pid);
    EXPECT_TRUE(WIFSTOPPED(status)) << status;
    const std::string stopped = pty.drain();
    EXPECT_NE(stopped.find("Hand #7"), std::string::npos);
    EXPECT_THAT(stopped, testing::EndsWith(hand_back));

    kill(pid, SIGCONT);
    const std::string continued = pty.drain();
    EXPECT_THAT(continued, testing::StartsWith("\x1b[?1049h\x1b[?25l"));
    EXPECT_NE(continued.find("Hand #7"), std::string::npos) << "not painted again";
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// Without a controlling terminal waiting for the space bar ends at once; a write that
// cannot be made is reported, so that the console paints everything again next time.
TEST(TerminalConsole, WaitSpaceWithoutControllingTerminalAndAWriteThatCannotBeMadeReturnFalse)
{
    EXPECT_FALSE(console::TerminalGuard::write_all(-1, "x", 1));
    Pty pty;
    const int status = run_child(pty, [&] {
                           setsid(); // a new session has no controlling terminal
                           _exit(TerminalConsole(pty.slave, never).wait_space() ? 1 : 0);
                       }).first;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// On its controlling terminal the console draws only while its process group is the
// foreground one: started in the background it writes nothing, and once made the
// foreground group and continued (what `fg` does) it takes the terminal over and paints.
TEST(TerminalConsole, BackgroundProcessLeavesTheTerminalAloneUntilBroughtToTheForeground)
{
    Pty pty;
    const auto [status, output] = run_child(pty, [&pty] {
        // A session on the pty, as a shell's; the console runs in a background job.
        setsid();
        ioctl(pty.slave, TIOCSCTTY, 0);
        std::signal(SIGTTOU, SIG_IGN);
        int ready[2], end[2];
        if (::pipe(ready) != 0 || ::pipe(end) != 0)
            _exit(98);
        const pid_t job = fork();
        char byte = 0;
        if (job == 0) {
            setpgid(0, 0);
            TerminalConsole console(pty.slave, never);
            console.write_characters(0, 1, "Hand #7", 7);
            console.flush();
            _exit(::write(ready[1], "r", 1) == 1 && ::read(end[0], &byte, 1) == 1 ? 0 : 97);
        }
        setpgid(job, job);
        if (::read(ready[0], &byte, 1) != 1 || ::write(pty.slave, "|fg|", 4) != 4)
            _exit(96);
        tcsetpgrp(pty.slave, job);
        kill(job, SIGCONT);
        int job_status = 0;
        if (::write(end[1], "e", 1) != 1 || waitpid(job, &job_status, 0) != job)
            _exit(95);
        _exit(WIFEXITED(job_status) ? WEXITSTATUS(job_status) : 94);
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_THAT(output, testing::StartsWith("|fg|\x1b[?1049h\x1b[?25l")) << "drawn from the background";
    EXPECT_NE(output.find("Hand #7"), std::string::npos) << "not painted";
}
