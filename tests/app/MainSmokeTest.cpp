// The built program in a real terminal: tmux gives it a 58 x 60 pane, the test types a
// hand at the prompts as they appear and reads the pane back.

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include "app/Version.h"

namespace {

// Upper bound for anything to show up; a healthy run needs a fraction of a second.
constexpr auto patience = std::chrono::seconds(20);
constexpr auto poll_interval = std::chrono::milliseconds(20);

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

// One tmux server of our own (private socket) with one session running the program;
// the server goes when the test does, whatever happened.
class Terminal {
public:
    explicit Terminal(const std::string& program)
        : tmux_("tmux -L corvald-smoke-" + std::to_string(::getpid()) + " -f /dev/null ")
    {
        char directory[] = "/tmp/corvald-smoke-XXXXXX";
        if (::mkdtemp(directory) == nullptr)
            return;
        directory_ = directory;
        // The exit status goes to a file: tmux does not always learn it (a sanitized
        // build's exit leaves tmux's pane status empty).
        const std::string run = shell_quoted(program) + "; echo $? > " + shell_quoted(status_file());
        started_ = shell(tmux_ + "new-session -d -x 58 -y 60 -s smoke " + shell_quoted(run)).status == 0;
        // Keeps the pane, and what the terminal shows, after the program has ended.
        if (started_)
            shell(tmux_ + "set-option -t smoke -w remain-on-exit on");
    }
    ~Terminal()
    {
        shell(tmux_ + "kill-server");
        if (!directory_.empty())
            shell("rm -rf " + shell_quoted(directory_));
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    bool started() const { return started_; }

    // The program's exit status once it has ended; empty before.
    std::string exit_status() const
    {
        std::ifstream file(status_file());
        std::string status;
        std::getline(file, status);
        return status;
    }

    // The pane's rows, each padded to the full width.
    std::vector<std::string> rows() const
    {
        const std::string text = shell(tmux_ + "capture-pane -p -t smoke").text;
        std::vector<std::string> result;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            std::string row = text.substr(start, end - start);
            row.resize(std::max<std::size_t>(row.size(), 58), ' ');
            result.push_back(row);
            start = end + 1;
        }
        return result;
    }

    std::string text_at(int x, int y, std::size_t length) const
    {
        const auto shown = rows();
        if (y >= static_cast<int>(shown.size()))
            return "";
        return shown[static_cast<std::size_t>(y)].substr(static_cast<std::size_t>(x), length);
    }

    // Polls until `shown` holds; false after the patience runs out.
    bool wait_until(const std::function<bool()>& shown) const
    {
        const auto deadline = std::chrono::steady_clock::now() + patience;
        while (std::chrono::steady_clock::now() < deadline) {
            if (shown())
                return true;
            std::this_thread::sleep_for(poll_interval);
        }
        return shown();
    }

    bool wait_for_prompt(const std::string& prompt) const
    {
        return wait_until([&] { return text_at(1, 3, prompt.size() + 1) == prompt + " "; });
    }

    void type_line(const std::string& line) const
    {
        if (!line.empty())
            shell(tmux_ + "send-keys -t smoke -l " + shell_quoted(line));
        shell(tmux_ + "send-keys -t smoke Enter");
    }

    void keys(const std::string& keys) const { shell(tmux_ + "send-keys -t smoke " + keys); }

    std::string screen() const
    {
        std::string text;
        for (const auto& row : rows())
            text += row + "\n";
        return text;
    }

private:
    std::string status_file() const { return directory_ + "/status"; }

    std::string tmux_;
    std::string directory_;
    bool started_ = false;
};

// "  7%", " 42%", "100%": a right-aligned whole percentage in four cells.
bool is_percentage(const std::string& text)
{
    if (text.size() != 4 || text.back() != '%')
        return false;
    const std::size_t digits = text.find_first_not_of(' ');
    if (digits == 3)
        return false;
    for (std::size_t i = digits; i < 3; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

} // namespace

TEST(ProgramInATerminal, PlaysAHandAtThePromptsAndEndsWithItsInput)
{
    if (shell("command -v tmux").status != 0)
        GTEST_SKIP() << "tmux is not installed: the program cannot be run in a terminal here";
    ASSERT_EQ(::access(CORVALD_BINARY, X_OK), 0) << CORVALD_BINARY;

    Terminal terminal(CORVALD_BINARY);
    ASSERT_TRUE(terminal.started());

    // Each answer goes in once its question is on the screen.
    const std::vector<std::pair<std::string, std::string>> dialogue = {
        {"Enter no players (max 16)", "3"},
        {"Enter blind bet for P1", "1"},
        {"Enter blind bet for P2", "2"},
        {"Enter hole cards", "ahkd"},
        {"Enter bet <raise>, c or f for P3", "c"},
        {"Enter bet <raise>, c or f for P1", "c"},
        {"Enter bet <raise>, c or f for P2", "c"},
        {"Enter flop cards", "2c7d9h"},
        {"Enter bet <raise>, c or f for P1", "4"},
        {"Enter bet <raise>, c or f for P2", "f"},
        {"Enter bet <raise>, c or f for P3", "c"},
        {"Enter turn card", "ts"},
        {"Enter bet <raise>, c or f for P1", "c"},
        {"Enter bet <raise>, c or f for P3", "c"},
        {"Enter river card", "2s"},
        {"Enter bet <raise>, c or f for P1", "c"},
        {"Enter bet <raise>, c or f for P3", "c"},
    };
    ASSERT_TRUE(terminal.wait_for_prompt(dialogue.front().first)) << terminal.screen();
    EXPECT_EQ(terminal.text_at(0, 1, 8), "Hand #1 ");
    const std::string version = std::string("V") + CORVALD_VERSION;
    EXPECT_EQ(terminal.text_at(12, 1, version.size()), version);
    EXPECT_EQ(terminal.text_at(1, 4, 1), ">");

    for (const auto& [question, answer] : dialogue) {
        ASSERT_TRUE(terminal.wait_for_prompt(question)) << question << "\n" << terminal.screen();
        terminal.type_line(answer);
    }
    ASSERT_TRUE(terminal.wait_for_prompt("Hit enter for a new game")) << terminal.screen();

    // The chances of every round under its cards, the stakes below them.
    for (int col : {18, 23, 28, 33}) {
        EXPECT_EQ(terminal.text_at(col, 24, 4), "100%") << col << "\n" << terminal.screen();
        EXPECT_TRUE(is_percentage(terminal.text_at(col, 25, 4))) << col;
        EXPECT_TRUE(is_percentage(terminal.text_at(col, 26, 4))) << col;
        EXPECT_EQ(terminal.text_at(col, 27, 4), "    ") << col;
    }
    EXPECT_EQ(terminal.text_at(23, 41, 4), "   6");
    EXPECT_EQ(terminal.text_at(0, 43, 22), "               P1*   2");

    terminal.type_line("");
    ASSERT_TRUE(terminal.wait_for_prompt("Enter no players (max 16)")) << terminal.screen();
    EXPECT_EQ(terminal.text_at(0, 1, 8), "Hand #2 ");

    // End of input ends the run with status 0 and hands the terminal back.
    terminal.keys("C-d");
    ASSERT_TRUE(terminal.wait_until([&] { return !terminal.exit_status().empty(); }))
        << terminal.screen();
    EXPECT_EQ(terminal.exit_status(), "0");
    EXPECT_EQ(terminal.screen().find("Hand #"), std::string::npos) << terminal.screen();
}

TEST(ProgramCommandLine, VersionAndHelpAnswerAndExit)
{
    const Output version = shell(std::string(CORVALD_BINARY) + " --version < /dev/null");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.text, std::string("corvald ") + CORVALD_VERSION + "\n");

    const Output help = shell(std::string(CORVALD_BINARY) + " --help < /dev/null");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.text.find("--version"), std::string::npos) << help.text;
}

// Without a terminal the table is drawn in memory: nothing reaches the output, and the end
// of the typed input ends the run normally.
TEST(ProgramCommandLine, ScriptedRunWithoutTerminalEndsWithItsInput)
{
    const Output run = shell("printf '2 autobet\\nahkd\\n2c7d9h\\nts\\n2s\\n\\n' | " +
                             std::string(CORVALD_BINARY));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.text, "");
}
