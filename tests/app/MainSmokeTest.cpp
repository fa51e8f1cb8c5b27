// The built program in a real terminal: tmux gives it a 58 x 60 pane, the test types at
// the prompts as they appear and reads the pane back.

#include <chrono>
#include <functional>
#include <regex>
#include <string>
#include <thread>
#include <tuple>
#include <utility>

#include <gtest/gtest.h>
#include <unistd.h>

#include "app/Version.h"
#include "support/ChildProcess.h"
#include "support/ReplayHarness.h"

namespace {

using corvald_test::run_child;

// Polls until `shown` holds; a healthy run needs a fraction of a second.
bool wait_until(const std::function<bool()>& shown)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!shown() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return shown();
}

// One tmux server of our own (private socket), gone with the test whatever happened.
struct Tmux {
    explicit Tmux(const std::string& label = "") : socket("corvald-smoke-" + std::to_string(::getpid()) + label) {}
    ~Tmux() { run("kill-server"); }
    corvald_test::ChildResult run(const std::string& arguments) const
    {
        return run_child("/bin/sh", {"-c", "tmux -L " + socket + " -f /dev/null " + arguments});
    }
    std::string screen() const { return run("capture-pane -p -t smoke").out; }

    // Runs `command` in a 58 x 60 pane. The shell shows the exit status once the program has
    // handed the terminal back (tmux itself does not always learn it from a sanitized build).
    bool start(const std::string& command) const
    {
        return run("new-session -d -x 58 -y 60 -s smoke '" + command + "; echo \"[exit $?]\"; sleep 60'").status == 0;
    }
    // The screen once the shell has shown the exit status.
    std::string shell_screen() const
    {
        wait_until([&] { return screen().find("[exit ") != std::string::npos; });
        return screen();
    }

    // `length` characters of row y from column x, blanks past the row's end.
    std::string text_at(int x, int y, std::size_t length) const
    {
        const std::string at = std::to_string(y);
        std::string row = run("capture-pane -p -t smoke -S " + at + " -E " + at).out;
        row = row.substr(0, row.find('\n'));
        row.resize(58, ' ');
        return row.substr(static_cast<std::size_t>(x), length);
    }
    bool wait_for_prompt(const std::string& prompt) const
    {
        return wait_until([&] { return text_at(1, 3, prompt.size() + 1) == prompt + " "; });
    }
    std::string socket;
};

} // namespace

TEST(ProgramInATerminal, PlaysAHandAtThePromptsAndEndsWithItsInput)
{
    if (run_child("/bin/sh", {"-c", "command -v tmux"}).status != 0)
        GTEST_SKIP() << "tmux is not installed: the program cannot be run in a terminal here";
    Tmux tmux;
    ASSERT_TRUE(tmux.start(CORVALD_BINARY));

    // clang-format off
    const std::pair<std::string, std::string> dialogue[] = {
        {"Enter no players (max 16)", "3 autobet"}, {"Enter hole cards", "ahkd"}, {"Enter flop cards", "2c7d9h"},
        {"Enter turn card", "ts"}, {"Enter river card", "u"}, {"Enter turn card", "ts"}, {"Enter river card", "2s"}};
    // clang-format on
    ASSERT_TRUE(tmux.wait_for_prompt(dialogue[0].first)) << tmux.screen();
    const std::string version = std::string("V") + CORVALD_VERSION;
    EXPECT_EQ(tmux.text_at(0, 1, 12 + version.size()), "Hand #1     " + version);
    for (const auto& [question, answer] : dialogue) {
        ASSERT_TRUE(tmux.wait_for_prompt(question)) << question << "\n" << tmux.screen();
        tmux.run("send-keys -t smoke -l '" + answer + "' \\; send-keys -t smoke Enter");
    }
    ASSERT_TRUE(tmux.wait_for_prompt("Hit enter for a new game")) << tmux.screen();

    // The chances of every round under its cards, against no opponent, one and two.
    EXPECT_EQ(tmux.text_at(18, 24, 19), "100% 100% 100% 100%") << tmux.screen();
    const std::regex chances("((  \\d| \\d\\d|100)% ){3}(  \\d| \\d\\d|100)%");
    for (int y : {25, 26})
        EXPECT_TRUE(std::regex_match(tmux.text_at(18, y, 19), chances)) << y << "\n" << tmux.screen();
    EXPECT_EQ(tmux.text_at(18, 27, 19), std::string(19, ' '));
    // The decision panel beside the table, with the chance against the two opponents.
    EXPECT_EQ(tmux.text_at(40, 13, 18), "Your chance   " + tmux.text_at(33, 26, 4)) << tmux.screen();

    // End of input ends the run with status 0 and hands the terminal back.
    tmux.run("send-keys -t smoke Enter");
    ASSERT_TRUE(tmux.wait_for_prompt(dialogue[0].first)) << tmux.screen();
    tmux.run("send-keys -t smoke C-d");
    const std::string shell_screen = tmux.shell_screen();
    EXPECT_NE(shell_screen.find("[exit 0]"), std::string::npos) << shell_screen;
    EXPECT_EQ(shell_screen.find("Hand #"), std::string::npos) << shell_screen;
}

// The replay's last word (the error, or the count of a good file) stands on the table
// until the space bar, and stays in the shell once the terminal is handed back.
TEST(ProgramInATerminal, ReplayLeavesItsLastWordInViewAfterTheSpaceBar)
{
    if (run_child("/bin/sh", {"-c", "command -v tmux"}).status != 0)
        GTEST_SKIP() << "tmux is not installed: the program cannot be run in a terminal here";
    // The file, the status row's start, the exit status.
    const std::tuple<const char*, std::string, const char*> runs[] = {
        {"missing-showdown.txt", "Error:", "[exit 1]"}, {"seat-rotation.txt", "Press the space bar to end", "[exit 0]"}};
    for (const auto& [file, status_row, last_word] : runs) {
        SCOPED_TRACE(file);
        Tmux tmux("-" + status_row.substr(0, 1));
        ASSERT_TRUE(tmux.start(std::string(CORVALD_BINARY) + " replay " + corvald_test::replay_data_path(file)));
        const std::string row3 = status_row; // a copy the lambda can capture
        ASSERT_TRUE(wait_until([&] { return tmux.text_at(1, 3, row3.size()) == row3; })) << tmux.screen();
        const std::string message = tmux.text_at(1, 3, 57);
        tmux.run("send-keys -t smoke Space");
        const std::string shell_screen = tmux.shell_screen();
        EXPECT_NE(shell_screen.find(last_word), std::string::npos) << shell_screen;
        EXPECT_EQ(shell_screen.find("Request:"), std::string::npos) << shell_screen;
        if (row3 == "Error:") {
            const std::string text = message.substr(message.find_first_not_of(' ', 6));
            EXPECT_NE(shell_screen.find("corvald: hand history line "), std::string::npos);
            EXPECT_NE(shell_screen.find(text.substr(0, text.find_last_not_of(' ') + 1)), std::string::npos)
                << shell_screen;
        } else {
            EXPECT_NE(shell_screen.find("corvald: 1 hand replayed"), std::string::npos) << shell_screen;
        }
    }
}

TEST(ProgramCommandLine, VersionAndARunWithoutTerminal)
{
    const auto version = run_child(CORVALD_BINARY, {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out + version.err, std::string("corvald ") + CORVALD_VERSION + "\n");
    const auto help = run_child(CORVALD_BINARY, {"--help"});
    EXPECT_NE(help.out.find("answer u takes back"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("--plain"), std::string::npos) << help.out;
    // Without a terminal the table is drawn in memory: nothing reaches the output, and the
    // end of the typed input ends the run normally.
    const auto typed = run_child(CORVALD_BINARY, {}, "2 autobet\nahkd\n2c7d9h\nts\n2s\n\n");
    EXPECT_EQ(typed.status, 0);
    EXPECT_EQ(typed.out + typed.err, "");
}
