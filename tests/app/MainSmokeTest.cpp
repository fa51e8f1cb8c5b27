// The built program in a real terminal: tmux gives it a 58 x 60 pane, the test types at
// the prompts as they appear and reads the pane back.

#include <chrono>
#include <cstdio>
#include <functional>
#include <regex>
#include <string>
#include <thread>
#include <utility>

#include <gtest/gtest.h>
#include <unistd.h>

#include "app/Version.h"
#include "support/ReplayHarness.h"

namespace {

// The exit status and everything the command wrote.
std::pair<int, std::string> shell(const std::string& command)
{
    std::pair<int, std::string> result{-1, ""};
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return result;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.second.append(buffer, got);
    result.first = ::pclose(pipe);
    return result;
}

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
    std::pair<int, std::string> run(const std::string& arguments) const
    {
        return shell("tmux -L " + socket + " -f /dev/null " + arguments);
    }
    std::string screen() const { return run("capture-pane -p -t smoke").second; }

    // `length` characters of row y from column x, blanks past the row's end.
    std::string text_at(int x, int y, std::size_t length) const
    {
        const std::string at = std::to_string(y);
        std::string row = run("capture-pane -p -t smoke -S " + at + " -E " + at).second;
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
    if (shell("command -v tmux").first != 0)
        GTEST_SKIP() << "tmux is not installed: the program cannot be run in a terminal here";
    Tmux tmux;
    // The shell shows the exit status once the program has handed the terminal back (tmux
    // itself does not always learn it from a sanitized build).
    const std::string run = std::string(CORVALD_BINARY) + "; echo \"[exit $?]\"; sleep 60";
    ASSERT_EQ(tmux.run("new-session -d -x 58 -y 60 -s smoke '" + run + "'").first, 0);

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
    ASSERT_TRUE(wait_until([&] { return tmux.screen().find("[exit ") != std::string::npos; })) << tmux.screen();
    EXPECT_NE(tmux.screen().find("[exit 0]"), std::string::npos) << tmux.screen();
    EXPECT_EQ(tmux.screen().find("Hand #"), std::string::npos) << tmux.screen();
}

// The replay's last word (the error, or the count of a good file) stands on the table
// until the space bar, and stays in the shell once the terminal is handed back.
TEST(ProgramInATerminal, ReplayLeavesItsLastWordInViewAfterTheSpaceBar)
{
    if (shell("command -v tmux").first != 0)
        GTEST_SKIP() << "tmux is not installed: the program cannot be run in a terminal here";
    const struct {
        const char* file;
        const char* status_row;
        const char* last_word;
    } runs[] = {{"missing-showdown.txt", "Error:", "[exit 1]"},
                {"seat-rotation.txt", "Press the space bar to end", "[exit 0]"}};
    for (const auto& run : runs) {
        SCOPED_TRACE(run.file);
        Tmux tmux(std::string("-") + run.status_row[0]);
        const std::string command = std::string(CORVALD_BINARY) + " replay " + corvald_test::replay_data_path(run.file)
                                    + "; echo \"[exit $?]\"; sleep 60";
        ASSERT_EQ(tmux.run("new-session -d -x 58 -y 60 -s smoke '" + command + "'").first, 0);
        const std::string row3 = run.status_row;
        ASSERT_TRUE(wait_until([&] { return tmux.text_at(1, 3, row3.size()) == row3; })) << tmux.screen();
        const std::string message = tmux.text_at(1, 3, 57);
        tmux.run("send-keys -t smoke Space");
        ASSERT_TRUE(wait_until([&] { return tmux.screen().find("[exit ") != std::string::npos; })) << tmux.screen();
        const std::string shell_screen = tmux.screen();
        EXPECT_NE(shell_screen.find(run.last_word), std::string::npos) << shell_screen;
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
    EXPECT_EQ(shell(std::string(CORVALD_BINARY) + " --version < /dev/null"),
              std::make_pair(0, std::string("corvald ") + CORVALD_VERSION + "\n"));
    const std::string help = shell(std::string(CORVALD_BINARY) + " --help").second;
    EXPECT_NE(help.find("answer u takes back"), std::string::npos) << help;
    EXPECT_NE(help.find("--plain"), std::string::npos) << help;
    // Without a terminal the table is drawn in memory: nothing reaches the output, and the
    // end of the typed input ends the run normally.
    EXPECT_EQ(shell("printf '2 autobet\\nahkd\\n2c7d9h\\nts\\n2s\\n\\n' | " + std::string(CORVALD_BINARY)),
              std::make_pair(0, std::string()));
}
