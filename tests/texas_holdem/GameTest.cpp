#include "texas_holdem/Game.h"

#include <limits>
#include <string>
#include <vector>

#include <boost/algorithm/string/join.hpp>
#include <gtest/gtest.h>

#include "support/CardText.h"
#include "support/GameState.h"
#include "support/ScreenPicture.h"

using corvald_test::describe;
using corvald_test::play_hand;
using poker::texas_holdem::Game;

using Lines = std::vector<std::string>;
const Lines ann_bob_cid = {"Ann", "Bob", "Cid"};

TEST(Game, ThreePlayerHandPlaysFromTheBlindsToTheShowdownAndTheNextStartsAfresh)
{
    Lines seen;
    Game game = corvald_test::three_player_hand(&seen);
    // A line per event (see describe): though every stake matches, the big blind still has his
    // turn; after his raise the callers are below it; a folded player is passed over, observed.
    EXPECT_TRUE(
        corvald_test::matches_golden(boost::algorithm::join(seen, "\n") + "\n", "texas_holdem/golden/ThreePlayerHand"));
    EXPECT_EQ(game.history.names, ann_bob_cid);
    EXPECT_EQ(game.history.stakes_to_match, (std::vector<float>{6, 10, 10, 10, 10}));
    EXPECT_EQ(game.history.player_stakes,
              (std::vector<std::vector<float>>{{0, 1, 2, 6, 10, 10, 10}, {0, 2, 6}, {0, 2, 6, 10, 10, 10}}));
    EXPECT_EQ(game.history.cards, poker::test::cards("As Ah 2c 7d Th 5s 9c"));

    game.new_hand({"Dee", "Eve"});
    EXPECT_EQ(describe(game), "hole P0 match 0 | 0 0 | open");
    EXPECT_EQ(game.history.names, (Lines{"Dee", "Eve"}));
    EXPECT_EQ(game.history.player_stakes, (std::vector<std::vector<float>>{{0}, {0}}));
    EXPECT_EQ(game.history.stakes_to_match, std::vector<float>{0});
    EXPECT_TRUE(game.history.cards.empty());
}

// Short hands checked at their last events.
TEST(Game, TurnOrderAndRoundEndsInShortHands)
{
    const struct {
        const char* why;
        Lines names;
        std::vector<float> blinds;
        std::vector<std::vector<float>> rounds;
        Lines last;
    } rows[] = {
        // clang-format off
        {"the last player left ends the round before he acts, and the hand", ann_bob_cid, {1, 2}, {{-1, -1}, {}},
         {"hole P1 match 2 | 1fo 2 0fo | over", "showdown P1 match 2 | 1fo 2 0f | over"}},
        {"so does the last one left on the flop", ann_bob_cid, {1, 2}, {{0, 0, 0}, {4, -1, -1}, {}},
         {"showdown P0 match 6 | 6 2f 2f | over"}},
        {"heads-up, player 0 acts first in the hole", {"Ann", "Bob"}, {1, 2}, {}, {"hole P0 match 2 | 1 2 | open"}},
        {"and on the flop", {"Ann", "Bob"}, {1, 2}, {{0, 0}, {0, 3, 0}},
         {"flop P0 match 2 | 2 2 | open", "flop P1 match 2 | 2o 2 | open", "flop P0 match 5 | 2o 5o | open",
          "flop P1 match 5 | 5o 5o | over"}},
        {"a second blind below the first lowers the stake to match", ann_bob_cid, {2, 1}, {{0, 0, 0}},
         {"hole P1 match 1 | 1o 1 1o | open", "hole P2 match 1 | 1o 1o 1o | over"}},
        // Nobody left in: the turn stays put and the rounds still follow one another.
        {"everybody folds", ann_bob_cid, {1, 2}, {{-1, -1, -1}, {}, {}, {}, {}},
         {"hole P1 match 2 | 1fo 2fo 0fo | over", "flop P0 match 2 | 1fo 2fo 0fo | over",
          "turn P0 match 2 | 1fo 2fo 0fo | over", "river P0 match 2 | 1fo 2fo 0fo | over",
          "showdown P0 match 2 | 1fo 2fo 0fo | over"}},
        // clang-format on
    };
    for (const auto& row : rows) {
        Lines seen;
        play_hand(row.names, row.blinds, row.rounds, &seen);
        ASSERT_GE(seen.size(), row.last.size()) << row.why;
        EXPECT_EQ(Lines(seen.end() - row.last.size(), seen.end()), row.last) << row.why;
    }
}

// Stakes are compared with ==: calls must reach exactly the float of the raise, added in
// single precision, and a NaN stake matches nothing, not even for a lone player.
TEST(Game, RoundClosesOnlyOnExactlyEqualStakes)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Game odd = play_hand(ann_bob_cid, {1, 2}, {{0.1f, 0, 0}});
    const Game called = play_hand(ann_bob_cid, {1, 2}, {{nan, 0, 0}});
    const Game alone = play_hand(ann_bob_cid, {1, 2}, {{nan, -1, -1}});
    EXPECT_EQ(odd.history.player_stakes[1].back(), 2.0f + 0.1f);
    EXPECT_TRUE(odd.round_over());
    EXPECT_TRUE(called.all_observed());
    EXPECT_FALSE(called.round_over());
    EXPECT_EQ(alone.no_active_players(), 1u);
    EXPECT_FALSE(alone.round_over());
}

// With no players at all the turn and the rounds still move on without looping.
TEST(Game, HandWithoutPlayersEndsEveryRoundAtOnce)
{
    Game nobody = play_hand({}, {}, {{}, {}});
    nobody.advance_player();
    EXPECT_EQ(describe(nobody), "flop P0 match 0 | | over");
}
