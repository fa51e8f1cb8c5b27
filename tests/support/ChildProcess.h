#ifndef CORVALD_TESTS_SUPPORT_CHILDPROCESS_H
#define CORVALD_TESTS_SUPPORT_CHILDPROCESS_H

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace corvald_test {

// A fresh empty directory under the system's temporary directory, removed with all it
// holds at the end of the scope.
struct TemporaryDirectory : std::filesystem::path {
    TemporaryDirectory() : path(std::filesystem::temp_directory_path() / "corvald-test-XXXXXX")
    {
        std::string name = string();
        if (::mkdtemp(name.data()) == nullptr)
            std::abort();
        assign(name);
    }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    ~TemporaryDirectory() { std::filesystem::remove_all(*this); }
};

// The whole content of a file; a test failure and "" when it cannot be read.
inline std::string read_text_file(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file) << "cannot read " << path;
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

// What a finished child left behind; `status` is -1 when it did not exit normally.
struct ChildResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `program` with `input` on its standard input and its output and error captured in
// files (so none is a terminal), in a session of its own without a controlling terminal.
// A child still running after `seconds` is killed. `output`, when given, replaces the
// captured standard output: a file to write to (such as /dev/full), or "-" for a closed one.
inline ChildResult run_child(const std::string& program, const std::vector<std::string>& arguments,
                             const std::string& input = "", int seconds = 60, const std::string& output = "")
{
    const TemporaryDirectory dir;
    const std::string in = (dir / "in").string(), out = (dir / "out").string(), err = (dir / "err").string();
    std::ofstream(in, std::ios::binary) << input;
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setsid();
        // The alarm outlives exec and ends a child that hangs.
        ::alarm(static_cast<unsigned>(seconds));
        ::dup2(::open(in.c_str(), O_RDONLY), STDIN_FILENO);
        ::dup2(::open((output.empty() || output == "-" ? out : output).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600),
               STDOUT_FILENO);
        ::dup2(::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        if (output == "-")
            ::close(STDOUT_FILENO);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int wait_status = 0;
    ::waitpid(pid, &wait_status, 0);
    ChildResult result{WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1,
                       output.empty() ? read_text_file(out) : "", read_text_file(err)};
    return result;
}

} // namespace corvald_test

#endif
