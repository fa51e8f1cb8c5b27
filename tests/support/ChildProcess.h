#ifndef CORVALD_TESTS_SUPPORT_CHILDPROCESS_H
#define CORVALD_TESTS_SUPPORT_CHILDPROCESS_H

#include <string>
#include <vector>

namespace corvald_test {

// What a finished child left behind; `status` is -1 when it did not exit normally.
struct ChildResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `program` with `input` on its standard input and its output and error captured in
// files (so none is a terminal), in a session of its own without a controlling terminal.
// A child still running after `seconds` is killed.
ChildResult run_child(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& input = "", int seconds = 60);

// A fresh empty directory under the system's temporary directory.
std::string make_temporary_directory();

} // namespace corvald_test

#endif
