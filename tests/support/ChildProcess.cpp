#include "support/ChildProcess.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvald_test {

namespace {

std::string slurp(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

} // namespace

std::string make_temporary_directory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "corvald-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    return pattern;
}

ChildResult run_child(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& input, int seconds)
{
    const std::filesystem::path dir = make_temporary_directory();
    const std::string paths[] = {(dir / "in").string(), (dir / "out").string(), (dir / "err").string()};
    std::ofstream(paths[0], std::ios::binary) << input;

    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setsid();
        // The alarm outlives exec and ends a child that hangs.
        ::alarm(static_cast<unsigned>(seconds));
        ::dup2(::open(paths[0].c_str(), O_RDONLY), STDIN_FILENO);
        ::dup2(::open(paths[1].c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
        ::dup2(::open(paths[2].c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }

    int wait_status = 0;
    ::waitpid(pid, &wait_status, 0);
    ChildResult result{WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1, slurp(paths[1]),
                       slurp(paths[2])};
    std::filesystem::remove_all(dir);
    return result;
}

} // namespace corvald_test
