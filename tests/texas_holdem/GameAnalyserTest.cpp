#include "texas_holdem/GameAnalyser.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "support/GameState.h"
#include "texas_holdem/Game.h"

using corvald_test::play_hand;
using poker::texas_holdem::Game;
using poker::texas_holdem::GameAnalyser;
using poker::texas_holdem::GameHistory;

TEST(GameAnalyser, PotAndPlayersStillInAtTheEndOfEachRound)
{
    const Game game = corvald_test::three_player_hand();
    const GameAnalyser analyser(game.history);
    // Bob folded to the flop bet; Ann and Cid went to the showdown. Ann's flop bet is not
    // in the pot of the hole round.
    const double pots[] = {18, 26, 26, 26, 26};
    for (unsigned r = 0; r < 5; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(analyser.pot_size_at_round_end(r), pots[r]);
        EXPECT_TRUE(analyser.active_at_round_end(0, r));
        EXPECT_EQ(analyser.active_at_round_end(1, r), r == 0);
        EXPECT_TRUE(analyser.active_at_round_end(2, r));
        EXPECT_EQ(analyser.no_active_at_round_end(r), r == 0 ? 3u : 2u);
    }
}

// Only final stakes are kept, so a fold that cost nothing looks like a check in that round;
// the player drops out of the count in the first round that asks more of him.
TEST(GameAnalyser, FoldingWhenCheckingWasFreeStillCountsAsInForThatRound)
{
    const Game game = play_hand({"Ann", "Bob", "Cid"}, {1, 2}, {{0, 0, 0}, {0, -1, 0}, {3, 0}});
    const GameAnalyser analyser(game.history);
    EXPECT_TRUE(analyser.active_at_round_end(1, 1));
    EXPECT_EQ(analyser.no_active_at_round_end(1), 3u);
    EXPECT_EQ(analyser.pot_size_at_round_end(1), 6.0);
    EXPECT_FALSE(analyser.active_at_round_end(1, 2));
    EXPECT_EQ(analyser.pot_size_at_round_end(2), 12.0);
}

TEST(GameAnalyser, PotIsSummedInDoublePrecision)
{
    // 2^24 + 1 is the first integer a float cannot hold.
    const Game game = play_hand({"Ann", "Bob", "Cid"}, {1, 16777216.0f}, {{-1, -1}});
    const GameAnalyser analyser(game.history);
    EXPECT_EQ(analyser.pot_size_at_round_end(0), 16777217.0);
    EXPECT_EQ(analyser.no_active_at_round_end(0), 1u);
    EXPECT_TRUE(analyser.active_at_round_end(1, 0));
}

TEST(GameAnalyser, NanStakeIsNeverStillInAndSpoilsThePot)
{
    GameHistory history;
    history.reset(2);
    history.record_stake(0, 2);
    history.record_stake(1, 2);
    history.record_round({});
    history.record_stake(1, std::numeric_limits<float>::quiet_NaN());

    const GameAnalyser analyser(history);
    EXPECT_TRUE(analyser.active_at_round_end(0, 0));
    EXPECT_FALSE(analyser.active_at_round_end(1, 0));
    EXPECT_TRUE(std::isnan(analyser.pot_size_at_round_end(0)));
    // Against a NaN stake to match nobody is still in.
    EXPECT_EQ(analyser.no_active_at_round_end(1), 0u);
}
