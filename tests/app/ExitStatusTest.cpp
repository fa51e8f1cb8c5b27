// How the program ends on a faulty command line, on output it cannot write and on input
// it cannot read: the status and the message on standard error.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/ChildProcess.h"

using corvald_test::run_child;

// CLI11's own codes would be 109, 106, 104 and so on.
TEST(ExitStatus, EveryUsageFaultEndsWithTwoAndCliMessage)
{
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--bogus"},
                                               {"replay"},
                                               {"replay", "x.txt", "--delay", "soon"},
                                               {"replay", "x.txt", "--delay", "-1"},
                                               {"odds", "--players"},
                                               {"what", "x"}}) {
        const auto result = run_child(CORVALD_BINARY, arguments);
        EXPECT_EQ(result.status, 2) << arguments.back();
        EXPECT_NE(result.err.find("Run with --help for more information."), std::string::npos);
    }
}

TEST(ExitStatus, LostOutputEndsWithOneAndAMessageAndSoDoesAFailedRead)
{
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"odds", "ahkh", "--players", "4", "--hands", "100"}, {"--help"}, {"--version"}}) {
        for (const std::string output : {"/dev/full", "-"}) {
            const auto result = run_child(CORVALD_BINARY, arguments, "", 60, output);
            EXPECT_EQ(result.status, 1) << arguments.front() << " > " << output;
            EXPECT_NE(result.err.find("corvald: cannot write to standard output"), std::string::npos);
        }
    }
    // Reading a directory fails: no end of input, so no status 0.
    const auto unread = run_child("/bin/sh", {"-c", std::string("exec ") + CORVALD_BINARY + " < /"});
    EXPECT_EQ(unread.status, 1);
    EXPECT_EQ(unread.err, "corvald: cannot read the typed input: Is a directory\n");
}
