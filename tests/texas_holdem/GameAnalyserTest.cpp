#include "texas_holdem/GameAnalyser.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "support/GameState.h"
#include "texas_holdem/Game.h"

using corvald_test::play_hand;
using poker::texas_holdem::Game;
using poker::texas_holdem::GameAnalyser;

// Only final stakes are kept, so a fold that cost nothing looks like a check in that round;
// the player drops out of the count in the first round that asks more of him.
TEST(GameAnalyser, FoldingWhenCheckingWasFreeStillCountsAsInForThatRound)
{
    const Game game = play_hand({"Ann", "Bob", "Cid"}, {1, 2}, {{0, 0, 0}, {0, -1, 0}, {3, 0}, {}});
    const GameAnalyser analyser(game.history);
    EXPECT_EQ(analyser.no_active_at_round_end(1), 3u);
    EXPECT_EQ(analyser.pot_size_at_round_end(1), 6.0);
    EXPECT_FALSE(analyser.active_at_round_end(1, 2));
    EXPECT_EQ(analyser.pot_size_at_round_end(2), 12.0);
}

// 2^24 + 1 is the first integer a float cannot hold. A NaN stake is never still in, spoils
// the pot, and against a NaN stake to match nobody is still in.
TEST(GameAnalyser, PotIsSummedInDoublePrecisionAndNanStakesCountForNobody)
{
    const Game big = play_hand({"Ann", "Bob", "Cid"}, {1, 16777216.0f}, {{-1, -1}, {}});
    EXPECT_EQ(GameAnalyser(big.history).pot_size_at_round_end(0), 16777217.0);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Game spoilt = play_hand({"Ann", "Bob"}, {1, 2}, {{0, 0}, {0, nan}});
    const GameAnalyser analyser(spoilt.history);
    EXPECT_TRUE(analyser.active_at_round_end(0, 0));
    EXPECT_FALSE(analyser.active_at_round_end(1, 0));
    EXPECT_TRUE(std::isnan(analyser.pot_size_at_round_end(0)));
    EXPECT_EQ(analyser.no_active_at_round_end(1), 0u);
}
