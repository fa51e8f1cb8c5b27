// How the program ends on a faulty command line, on output that cannot be written and on
// input that cannot be read: the status and the one message on standard error.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>

#include <gtest/gtest.h>

#include "support/ChildProcess.h"

using corvald_test::run_child;

TEST(ExitStatus, EveryUsageFaultEndsWithTwoAndCliMessage)
{
    const std::vector<std::vector<std::string>> command_lines = {
        {"--bogus"},                                   // CLI11's own codes: 109
        {"replay"},                                    // 106
        {"replay", "x.txt", "--delay", "soon"},        // a conversion
        {"replay", "x.txt", "--delay", "-1"},          // a negative count
        {"odds", "--players"},                         // an option without its value
        {"nosuchcommand", "x", "y"},
    };
    for (const auto& arguments : command_lines) {
        SCOPED_TRACE(arguments.front() + " " + (arguments.size() > 1 ? arguments[1] : ""));
        const auto result = run_child(CORVALD_BINARY, arguments);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("Run with --help for more information."), std::string::npos)
            << result.err;
    }
}

TEST(ExitStatus, NegativeOrHugeCountsAreRefusedNotWrappedRound)
{
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{"--seed", "-1"}, "--seed must be a whole number from 0 to 4294967295, not \"-1\""},
        {{"--players", "-4294967292"}, "--players must be a whole number from 2 to 16, not \"-4"},
        {{"--hands", "-1"}, "--hands must be a whole number from 1 to 10000000, not \"-1\""},
        {{"--hands", "10000001"}, "--hands must be a whole number from 1 to 10000000"},
        {{"--hands", "+5"}, "--hands must be a whole number"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = {"odds", "ahkd"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        if (c.arguments.front() != "--players")
            arguments.insert(arguments.end(), {"--players", "3"});
        const auto result = run_child(CORVALD_BINARY, arguments);
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
}

// The output is lost: the program must not claim success.
TEST(ExitStatus, OutputThatCannotBeWrittenEndsWithOneAndAMessage)
{
    const std::vector<std::vector<std::string>> commands = {
        {"odds", "ahkh", "--players", "4", "--hands", "100"}, {"--help"}, {"--version"},
        {"odds", "--help"}};
    for (const auto& arguments : commands) {
        for (const std::string output : {"/dev/full", "-"}) {
            SCOPED_TRACE(arguments.front() + " > " + output);
            const auto result = run_child(CORVALD_BINARY, arguments, "", 60, output);
            EXPECT_EQ(result.status, 1);
            EXPECT_NE(result.err.find("corvald: cannot write to standard output"), std::string::npos)
                << result.err;
        }
    }
}

// A read that fails is no end of input: the run stops with the system's reason.
TEST(ExitStatus, InputThatCannotBeReadEndsWithOneAndTheReason)
{
    const std::string dir = corvald_test::make_temporary_directory();
    const std::string err = dir + "/err";
    const int status = std::system((std::string(CORVALD_BINARY) + " < / > /dev/null 2> " + err).c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(corvald_test::read_text_file(err), "corvald: cannot read the typed input: Is a directory\n");
    std::filesystem::remove_all(dir);
}
