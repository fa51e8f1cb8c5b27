#include "texas_holdem/Game.h"

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/CardText.h"
#include "support/GameState.h"

using corvald_test::describe;
using corvald_test::play;
using corvald_test::play_hand;
using poker::texas_holdem::Game;

namespace {

using Lines = std::vector<std::string>;
const Lines ann_bob_cid = {"Ann", "Bob", "Cid"};

// The lines of `seen` from `first` on.
Lines from(const Lines& seen, std::ptrdiff_t first)
{
    return Lines(seen.begin() + first, seen.end());
}

} // namespace

TEST(Game, ThreePlayerHandPlaysFromTheBlindsToTheShowdown)
{
    Lines seen;
    const Game game = corvald_test::three_player_hand(&seen);
    const Lines expected = {
        "hole P0 match 0 | 0 0 0 | open", "hole P1 match 1 | 1 0 0 | open",
        "hole P2 match 2 | 1 2 0 | open", "hole P0 match 2 | 1 2 2o | open",
        // Every stake matches, but the big blind has not had his turn; after his raise
        // everybody has acted, yet the callers are below it.
        "hole P1 match 2 | 2o 2 2o | open", "hole P2 match 6 | 2o 6o 2o | open",
        "hole P0 match 6 | 2o 6o 6o | open", "hole P1 match 6 | 6o 6o 6o | over",
        "flop P0 match 6 | 6 6 6 | open", "flop P1 match 10 | 10o 6 6 | open",
        "flop P2 match 10 | 10o 6fo 6 | open", "flop P0 match 10 | 10o 6fo 10o | over",
        // The folded player is passed over and counts as observed.
        "turn P0 match 10 | 10 6f 10 | open", "turn P2 match 10 | 10o 6fo 10 | open",
        "turn P0 match 10 | 10o 6fo 10o | over", "river P0 match 10 | 10 6f 10 | open",
        "river P2 match 10 | 10o 6fo 10 | open", "river P0 match 10 | 10o 6fo 10o | over",
        "showdown P0 match 10 | 10 6f 10 | open"};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(game.history.names, ann_bob_cid);
    EXPECT_EQ(game.history.stakes_to_match, (std::vector<float>{6, 10, 10, 10, 10}));
    EXPECT_EQ(game.history.player_stakes,
              (std::vector<std::vector<float>>{{0, 1, 2, 6, 10, 10, 10}, {0, 2, 6},
                                               {0, 2, 6, 10, 10, 10}}));
    EXPECT_EQ(game.history.cards, poker::test::cards("As Ah 2c 7d Th 5s 9c"));
}

TEST(Game, LastPlayerLeftEndsTheRoundBeforeHeActsAndSkipsToTheShowdown)
{
    Lines seen;
    const Game in_hole = play_hand({"Dee", "Eve", "Fay"}, {1, 2}, {{-1, -1}}, &seen);
    EXPECT_EQ(from(seen, 3), (Lines{"hole P0 match 2 | 1 2 0fo | open",
                                    "hole P1 match 2 | 1fo 2 0fo | over",
                                    "showdown P1 match 2 | 1fo 2 0f | over"}));
    EXPECT_EQ(in_hole.history.stakes_to_match, (std::vector<float>{2, 2}));

    const Game on_flop = play_hand(ann_bob_cid, {1, 2}, {{0, 0, 0}, {4, -1, -1}});
    EXPECT_EQ(describe(on_flop), "showdown P0 match 6 | 6 2f 2f | over");
    EXPECT_EQ(on_flop.history.stakes_to_match, (std::vector<float>{2, 6, 6}));
}

TEST(Game, HeadsUpPlayerZeroActsFirstInEveryRound)
{
    Lines seen;
    play_hand({"Ann", "Bob"}, {1, 2}, {{0, 0}, {0, 3, 0}, {0, 0}}, &seen);
    const Lines expected = {
        "hole P0 match 2 | 1 2 | open",   "hole P1 match 2 | 2o 2 | open",
        "hole P0 match 2 | 2o 2o | over", "flop P0 match 2 | 2 2 | open",
        "flop P1 match 2 | 2o 2 | open",  "flop P0 match 5 | 2o 5o | open",
        "flop P1 match 5 | 5o 5o | over", "turn P0 match 5 | 5 5 | open",
        "turn P1 match 5 | 5o 5 | open",  "turn P0 match 5 | 5o 5o | over",
        "river P0 match 5 | 5 5 | open"};
    EXPECT_EQ(from(seen, 2), expected);
}

TEST(Game, SecondBlindBelowTheFirstLowersTheStakeToMatch)
{
    Lines seen;
    const Game game = play_hand(ann_bob_cid, {2, 1}, {{0, 0, 0}}, &seen);
    // The first blind's call brings his stake down.
    const Lines expected = {
        "hole P2 match 1 | 2 1 0 | open",   "hole P0 match 1 | 2 1 1o | open",
        "hole P1 match 1 | 1o 1 1o | open", "hole P2 match 1 | 1o 1o 1o | over",
        "flop P0 match 1 | 1 1 1 | open"};
    EXPECT_EQ(from(seen, 2), expected);
    EXPECT_EQ(game.history.player_stakes[0], (std::vector<float>{0, 2, 1}));
}

// A driver that plays hand after hand starts each from a clean slate.
TEST(Game, NewHandForgetsThePreviousHand)
{
    Game game = corvald_test::three_player_hand();
    game.new_hand({"Dee", "Eve"});
    EXPECT_EQ(describe(game), "hole P0 match 0 | 0 0 | open");
    EXPECT_EQ(game.history.names, (Lines{"Dee", "Eve"}));
    EXPECT_EQ(game.history.stakes_to_match, std::vector<float>{0});
    EXPECT_EQ(game.history.player_stakes, (std::vector<std::vector<float>>{{0}, {0}}));
    EXPECT_TRUE(game.history.cards.empty());
}

// Stakes are compared with ==: calls must reach exactly the float of the raise, added in
// single precision, and a NaN stake matches nothing, not even for a lone player.
TEST(Game, RoundClosesOnlyOnExactlyEqualStakes)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Game odd = play_hand(ann_bob_cid, {1, 2}, {});
    Game called = play_hand(ann_bob_cid, {1, 2}, {});
    Game alone = play_hand(ann_bob_cid, {1, 2}, {});
    play(odd, {0.1f, 0, 0});
    play(called, {nan, 0, 0});
    play(alone, {nan, -1, -1});
    EXPECT_EQ(odd.history.player_stakes[1].back(), 2.0f + 0.1f);
    EXPECT_TRUE(odd.round_over());
    EXPECT_TRUE(called.all_observed());
    EXPECT_FALSE(called.round_over());
    EXPECT_EQ(alone.no_active_players(), 1u);
    EXPECT_FALSE(alone.round_over());
}

// With nobody left in, the turn stays with the player who had it and every later round
// starts at player 0; the rounds are over at once and still follow one another.
TEST(Game, TurnOrderEndsWhenEveryPlayerHasFoldedOrThereAreNone)
{
    Lines seen;
    play_hand(ann_bob_cid, {1, 2}, {{-1, -1, -1}, {}, {}, {}}, &seen);
    EXPECT_EQ(from(seen, 5), (Lines{"hole P1 match 2 | 1fo 2fo 0fo | over",
                                    "flop P0 match 2 | 1fo 2fo 0fo | over",
                                    "turn P0 match 2 | 1fo 2fo 0fo | over",
                                    "river P0 match 2 | 1fo 2fo 0fo | over",
                                    "showdown P0 match 2 | 1fo 2fo 0fo | over"}));
    Game nobody = play_hand({}, {}, {});
    nobody.advance_player();
    EXPECT_EQ(describe(nobody), "hole P0 match 0 | | over");
    nobody.advance_round({});
    EXPECT_EQ(describe(nobody), "flop P0 match 0 | | over");
}

#ifndef NDEBUG
TEST(GameDeathTest, MovesWithoutAPlayerToActBreakAnAssertion)
{
    Game game;
    game.new_hand(0);
    EXPECT_DEATH(game.blind(1), "current_player");
    EXPECT_DEATH(game.raise(0), "current_player");
    EXPECT_DEATH(game.fold(), "current_player");
}
#endif
