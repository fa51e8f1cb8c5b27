// The built program in a real terminal: tmux gives it a 58 x 60 pane, the test types a
// hand at the prompts as they appear and reads the pane back.

#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
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

struct Output {
    int status;
    std::string text;
};

Output shell(const std::string& command)
{
    Output result{-1, ""};
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return result;
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.text.append(buffer.data(), got);
    result.status = ::pclose(pipe);
    return result;
}

std::string shell_quoted(const std::string& text)
{
    std::string result = "'";
    for (char ch : text)
        result += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return result + "'";
}

// One tmux server of our own (private socket) with one pane running the program; the
// server and the status file go when the test does, whatever happened.
class Terminal {
public:
    explicit Terminal(const std::string& program)
    {
        // The exit status goes to a file: tmux does not always learn it (a sanitized
        // build's exit leaves tmux's pane status empty).
        const std::string run = shell_quoted(program) + "; echo $? > " + shell_quoted(status_file_);
        started_ = tmux("new-session -d -x 58 -y 60 -s smoke " + shell_quoted(run)).status == 0;
        // Keeps the pane, and what the terminal shows, after the program has ended.
        tmux("set-option -t smoke -w remain-on-exit on");
    }
    ~Terminal()
    {
        tmux("kill-server");
        std::remove(status_file_.c_str());
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    Output tmux(const std::string& arguments) const { return shell(tmux_ + arguments); }
    bool started() const { return started_; }

    // The program's exit status once it has ended; empty before.
    std::string exit_status() const
    {
        std::ifstream file(status_file_);
        std::string status;
        std::getline(file, status);
        return status;
    }

    std::string screen() const { return tmux("capture-pane -p -t smoke").text; }

    std::string text_at(int x, int y, std::size_t length) const
    {
        std::string row;
        std::istringstream rows(screen());
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
        while (!shown()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    bool wait_for_prompt(const std::string& prompt) const
    {
        return wait_until([&] { return text_at(1, 3, prompt.size() + 1) == prompt + " "; });
    }

    void type_line(const std::string& line) const
    {
        if (!line.empty())
            tmux("send-keys -t smoke -l " + shell_quoted(line));
        tmux("send-keys -t smoke Enter");
    }

private:
    std::string tmux_ = "tmux -L corvald-smoke-" + std::to_string(::getpid()) + " -f /dev/null ";
    std::string status_file_ = ::testing::TempDir() + "corvald-smoke-" + std::to_string(::getpid());
    bool started_ = false;
};

} // namespace

TEST(ProgramInATerminal, PlaysAHandAtThePromptsAndEndsWithItsInput)
{
    if (shell("command -v tmux").status != 0)
        GTEST_SKIP() << "tmux is not installed: the program cannot be run in a terminal here";
    Terminal terminal(CORVALD_BINARY);
    ASSERT_TRUE(terminal.started());

    // Each answer goes in once its question is on the screen.
    const std::string move = "Enter bet <raise>, c or f for P";
    const std::vector<std::pair<std::string, std::string>> dialogue = {
        {"Enter no players (max 16)", "3"}, {"Enter blind bet for P1", "1"},
        {"Enter blind bet for P2", "2"},    {"Enter hole cards", "ahkd"},
        {move + "3", "c"}, {move + "1", "c"}, {move + "2", "c"}, {"Enter flop cards", "2c7d9h"},
        {move + "1", "4"}, {move + "2", "f"}, {move + "3", "c"}, {"Enter turn card", "ts"},
        {move + "1", "c"}, {move + "3", "c"}, {"Enter river card", "2s"},
        {move + "1", "c"}, {move + "3", "c"}, {"Hit enter for a new game", ""}};
    ASSERT_TRUE(terminal.wait_for_prompt(dialogue.front().first)) << terminal.screen();
    EXPECT_EQ(terminal.text_at(0, 1, 8), "Hand #1 ");
    const std::string version = std::string("V") + CORVALD_VERSION;
    EXPECT_EQ(terminal.text_at(12, 1, version.size()), version);

    for (const auto& [question, answer] : dialogue) {
        ASSERT_TRUE(terminal.wait_for_prompt(question)) << question << "\n" << terminal.screen();
        if (answer.empty()) {
            // The chances of every round under its cards: 100% alone, then right-aligned
            // whole percentages against one and two opponents.
            for (int col : {18, 23, 28, 33}) {
                EXPECT_EQ(terminal.text_at(col, 24, 4), "100%") << col;
                for (int y : {25, 26})
                    EXPECT_TRUE(std::regex_match(terminal.text_at(col, y, 4), std::regex("(  \\d| \\d\\d|100)%")))
                        << col << "," << y << "\n" << terminal.screen();
                EXPECT_EQ(terminal.text_at(col, 27, 4), "    ") << col;
            }
            EXPECT_EQ(terminal.text_at(23, 41, 4), "   6");
            EXPECT_EQ(terminal.text_at(0, 43, 22), "               P1*   2");
        }
        terminal.type_line(answer);
    }
    ASSERT_TRUE(terminal.wait_for_prompt(dialogue.front().first)) << terminal.screen();
    EXPECT_EQ(terminal.text_at(0, 1, 8), "Hand #2 ");

    // End of input ends the run with status 0 and hands the terminal back.
    terminal.tmux("send-keys -t smoke C-d");
    ASSERT_TRUE(Terminal::wait_until([&] { return !terminal.exit_status().empty(); })) << terminal.screen();
    EXPECT_EQ(terminal.exit_status(), "0");
    EXPECT_EQ(terminal.screen().find("Hand #"), std::string::npos) << terminal.screen();
}

TEST(ProgramCommandLine, VersionHelpAndARunWithoutTerminal)
{
    const std::string program = CORVALD_BINARY;
    const Output version = shell(program + " --version < /dev/null");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.text, std::string("corvald ") + CORVALD_VERSION + "\n");
    const Output help = shell(program + " --help < /dev/null");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.text.find("--version"), std::string::npos) << help.text;
    // Without a terminal the table is drawn in memory: nothing reaches the output, and the
    // end of the typed input ends the run normally.
    const Output run = shell("printf '2 autobet\\nahkd\\n2c7d9h\\nts\\n2s\\n\\n' | " + program);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.text, "");
}
