#include "app/ReplayCommand.h"

#include <string>

#include <gtest/gtest.h>

#include "support/ChildProcess.h"
#include "support/ReplayHarness.h"

// Every real file of the later form through the program, in one run over the folder: all
// hands replay but those of the two files their authors edited by hand, whose money or
// seats do not add up.
TEST(ReplaySamples, RealFilesOfTheLaterFormReplayButTheHandEditedOnes)
{
    const std::string folder = corvald_test::shared_hand_histories() + "/current";
    CORVALD_SKIP_WITHOUT(folder);
    const auto result = corvald_test::run_child(CORVALD_BINARY, {"replay", "--keep-going", folder}, "", 300);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("/CashGame/Limits/AnteTable.txt: hand history line 29: Pot mismatch: the summary "
                              "says $0.50, the bets add up to $0.90\n"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("/CashGame/PlayerTests/WithSittingOut.txt: hand history line 8: Expected a forced "
                              "bet, a status line or *** HOLE CARDS ***\n"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("corvald: Replayed 1246 hands, skipped 2\n"), std::string::npos) << result.err;
}
