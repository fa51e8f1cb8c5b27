// The built program in a real terminal: tmux gives it a 58 x 60 pane, the test types a
// hand at the prompts as they appear and reads the pane back.

#include <chrono>
#include <cstdio>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "app/Version.h"

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

// One tmux server of our own (private socket), gone with the test whatever happened.
struct Tmux {
    ~Tmux() { run("kill-server"); }
    std::pair<int, std::string> run(const std::string& arguments) const
    {
        return shell(command + arguments);
    }
    std::string screen() const { return run("capture-pane -p -t smoke").second; }

    std::string text_at(int x, int y, std::size_t length) const
    {
        std::istringstream rows(screen());
        std::string row;
        for (int i = 0; i <= y; ++i)
            if (!std::getline(rows, row))
                row.clear();
        row.resize(58, ' ');
        return row.substr(static_cast<std::size_t>(x), length);
    }

    // Polls until `shown` holds; a healthy run needs a fraction of a second.
    static bool wait_until(const std::function<bool()>& shown)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!shown() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return shown();
    }

    bool wait_for_prompt(const std::string& prompt) const
    {
        return wait_until([&] { return text_at(1, 3, prompt.size() + 1) == prompt + " "; });
    }

    std::string command = "tmux -L corvald-smoke-" + std::to_string(::getpid()) + " -f /dev/null ";
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

    // Each answer goes in once its question is on the screen.
    const std::string move = "Enter bet <raise>, c or f for P";
    const std::vector<std::pair<std::string, std::string>> dialogue = {
        {"Enter no players (max 16)", "3"}, {"Enter blind bet for P1", "1"},
        {"Enter blind bet for P2", "2"},    {"Enter hole cards", "ahkd"},
        {move + "3", "c"}, {move + "1", "c"}, {move + "2", "c"}, {"Enter flop cards", "2c7d9h"},
        {move + "1", "4"}, {move + "2", "f"}, {move + "3", "c"}, {"Enter turn card", "ts"},
        {move + "1", "c"}, {move + "3", "c"}, {"Enter river card", "2s"},
        {move + "1", "c"}, {move + "3", "c"}};
    ASSERT_TRUE(tmux.wait_for_prompt(dialogue.front().first)) << tmux.screen();
    const std::string version = std::string("V") + CORVALD_VERSION;
    EXPECT_EQ(tmux.text_at(0, 1, 12 + version.size()), "Hand #1     " + version);
    for (const auto& [question, answer] : dialogue) {
        ASSERT_TRUE(tmux.wait_for_prompt(question)) << question << "\n" << tmux.screen();
        tmux.run("send-keys -t smoke -l '" + answer + "' \\; send-keys -t smoke Enter");
    }
    ASSERT_TRUE(tmux.wait_for_prompt("Hit enter for a new game")) << tmux.screen();

    // The chances of every round under its cards, the stakes below them.
    const std::regex percentage("(  \\d| \\d\\d|100)%");
    for (int col : {18, 23, 28, 33}) {
        EXPECT_EQ(tmux.text_at(col, 24, 4), "100%") << col << "\n" << tmux.screen();
        for (int y : {25, 26})
            EXPECT_TRUE(std::regex_match(tmux.text_at(col, y, 4), percentage)) << col << "," << y;
        EXPECT_EQ(tmux.text_at(col, 27, 4), "    ") << col;
    }
    EXPECT_EQ(tmux.text_at(23, 41, 4), "   6");
    EXPECT_EQ(tmux.text_at(0, 43, 22), "               P1*   2");

    tmux.run("send-keys -t smoke Enter");
    ASSERT_TRUE(tmux.wait_for_prompt(dialogue.front().first)) << tmux.screen();
    EXPECT_EQ(tmux.text_at(0, 1, 8), "Hand #2 ");
    // End of input ends the run with status 0 and hands the terminal back.
    tmux.run("send-keys -t smoke C-d");
    ASSERT_TRUE(Tmux::wait_until([&] { return tmux.screen().find("[exit ") != std::string::npos; }))
        << tmux.screen();
    EXPECT_NE(tmux.screen().find("[exit 0]"), std::string::npos) << tmux.screen();
    EXPECT_EQ(tmux.screen().find("Hand #"), std::string::npos) << tmux.screen();
}

TEST(ProgramCommandLine, VersionHelpAndARunWithoutTerminal)
{
    const auto version = shell(std::string(CORVALD_BINARY) + " --version < /dev/null");
    EXPECT_EQ(version, std::make_pair(0, std::string("corvald ") + CORVALD_VERSION + "\n"));
    const auto help = shell(std::string(CORVALD_BINARY) + " --help < /dev/null");
    EXPECT_EQ(help.first, 0);
    EXPECT_NE(help.second.find("--version"), std::string::npos) << help.second;
    // Without a terminal the table is drawn in memory: nothing reaches the output, and the
    // end of the typed input ends the run normally.
    const auto run =
        shell("printf '2 autobet\\nahkd\\n2c7d9h\\nts\\n2s\\n\\n' | " + std::string(CORVALD_BINARY));
    EXPECT_EQ(run, std::make_pair(0, std::string()));
}
