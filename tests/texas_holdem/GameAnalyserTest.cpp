#include "texas_holdem/GameAnalyser.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "support/GameState.h"
#include "texas_holdem/Game.h"

using corvald_test::play;
using poker::texas_holdem::Game;
using poker::texas_holdem::GameAnalyser;
using poker::texas_holdem::GameHistory;

TEST(GameAnalyser, PotAndPlayersStillInAtTheEndOfEachRound)
{
    const Game game = corvald_test::fold_on_flop_hand();
    const GameAnalyser analyser(game.history);

    const double pots[] = {6, 14, 14, 14, 14};
    for (unsigned r = 0; r < 5; ++r)
        EXPECT_EQ(analyser.pot_size_at_round_end(r), pots[r]) << "round " << r;

    // Bob folded to the flop bet; Ann and Cid went to the showdown.
    for (unsigned r = 0; r < 4; ++r) {
        EXPECT_TRUE(analyser.active_at_round_end(0, r)) << "round " << r;
        EXPECT_EQ(analyser.active_at_round_end(1, r), r == 0) << "round " << r;
        EXPECT_TRUE(analyser.active_at_round_end(2, r)) << "round " << r;
    }
    EXPECT_EQ(analyser.no_active_at_round_end(0), 3u);
    EXPECT_EQ(analyser.no_active_at_round_end(1), 2u);
    EXPECT_EQ(analyser.no_active_at_round_end(3), 2u);
}

// Only final stakes are kept, so a fold that cost nothing looks like a check in that round;
// the player drops out of the count in the first round that asks more of him.
TEST(GameAnalyser, FoldingWhenCheckingWasFreeStillCountsAsInForThatRound)
{
    Game game;
    game.new_hand(3);
    game.blind(1);
    game.blind(2);
    play(game, {0, 0, 0});
    game.advance_round({});
    play(game, {0, -1, 0});
    game.advance_round({});
    play(game, {3, 0});
    game.advance_round({});

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
    const float big_blind = 16777216.0f;
    Game game;
    game.new_hand(3);
    game.blind(1);
    game.blind(big_blind);
    play(game, {-1, -1});
    game.advance_round({});

    const GameAnalyser analyser(game.history);
    EXPECT_EQ(analyser.pot_size_at_round_end(0), 16777217.0);
    EXPECT_FALSE(analyser.active_at_round_end(0, 0));
    EXPECT_TRUE(analyser.active_at_round_end(1, 0));
    EXPECT_EQ(analyser.no_active_at_round_end(0), 1u);
}

TEST(GameAnalyser, NanStakeIsNeverStillInAndSpoilsThePot)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    GameHistory history;
    history.reset(2);
    history.record_stake(0, 2);
    history.record_stake(1, 2);
    history.record_round({});
    history.record_stake(1, nan);

    const GameAnalyser analyser(history);
    EXPECT_FALSE(analyser.active_at_round_end(1, 0));
    EXPECT_TRUE(analyser.active_at_round_end(0, 0));
    EXPECT_TRUE(std::isnan(analyser.pot_size_at_round_end(0)));
    // Against a NaN stake to match nobody is still in.
    EXPECT_EQ(analyser.no_active_at_round_end(1), 0u);
}
