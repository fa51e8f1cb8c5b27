#include "texas_holdem/Game.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/GameState.h"

using corvald_test::describe;
using corvald_test::play;
using poker::Card;
using poker::texas_holdem::Game;

namespace {

using Stakes = std::vector<std::vector<float>>;

const std::vector<Card> hole_cards = {Card(12, Card::spades), Card(11, Card::spades)};
const std::vector<Card> flop_cards = {Card(0, Card::clubs), Card(5, Card::hearts),
                                      Card(9, Card::diamonds)};
const std::vector<Card> turn_card = {Card(3, Card::clubs)};
const std::vector<Card> river_card = {Card(7, Card::hearts)};

// Three players after blinds 1 and 2: player 2 is to act.
Game three_players_after_blinds()
{
    Game game;
    game.new_hand({"Ann", "Bob", "Cid"});
    game.blind(1);
    game.blind(2);
    return game;
}

} // namespace

TEST(Game, ThreePlayerHandPlaysFromTheBlindsToTheShowdown)
{
    Game game;
    game.new_hand({"Ann", "Bob", "Cid"});
    EXPECT_EQ(describe(game), "hole P0 match 0 | 0 0 0 | open");
    EXPECT_EQ(game.history.names, (std::vector<std::string>{"Ann", "Bob", "Cid"}));

    game.blind(1);
    EXPECT_EQ(describe(game), "hole P1 match 1 | 1 0 0 | open");
    game.blind(2);
    EXPECT_EQ(describe(game), "hole P2 match 2 | 1 2 0 | open");

    play(game, {0});
    EXPECT_EQ(describe(game), "hole P0 match 2 | 1 2 2o | open");
    play(game, {0});
    // Every stake matches, but the big blind has not had his turn yet.
    EXPECT_EQ(describe(game), "hole P1 match 2 | 2o 2 2o | open");
    play(game, {0});
    EXPECT_EQ(describe(game), "hole P2 match 2 | 2o 2o 2o | over");
    EXPECT_EQ(game.history.player_stakes, (Stakes{{0, 1, 2}, {0, 2, 2}, {0, 2}}));

    game.advance_round(hole_cards);
    EXPECT_EQ(describe(game), "flop P0 match 2 | 2 2 2 | open");
    EXPECT_EQ(game.history.stakes_to_match, (std::vector<float>{2, 2}));
    EXPECT_EQ(game.history.cards, hole_cards);

    play(game, {4});
    EXPECT_EQ(describe(game), "flop P1 match 6 | 6o 2 2 | open");
    play(game, {-1});
    EXPECT_EQ(describe(game), "flop P2 match 6 | 6o 2fo 2 | open");
    play(game, {0});
    EXPECT_EQ(describe(game), "flop P0 match 6 | 6o 2fo 6o | over");

    game.advance_round(flop_cards);
    EXPECT_EQ(describe(game), "turn P0 match 6 | 6 2f 6 | open");
    play(game, {0});
    // The folded player is passed over and counts as observed.
    EXPECT_EQ(describe(game), "turn P2 match 6 | 6o 2fo 6 | open");
    play(game, {0});
    EXPECT_EQ(describe(game), "turn P0 match 6 | 6o 2fo 6o | over");

    game.advance_round(turn_card);
    EXPECT_EQ(describe(game), "river P0 match 6 | 6 2f 6 | open");
    play(game, {0, 0});
    EXPECT_EQ(describe(game), "river P0 match 6 | 6o 2fo 6o | over");

    game.advance_round(river_card);
    EXPECT_EQ(game.round, Game::showdown);
    EXPECT_EQ(game.history.stakes_to_match, (std::vector<float>{2, 6, 6, 6, 6}));
    EXPECT_EQ(game.history.player_stakes,
              (Stakes{{0, 1, 2, 6, 6, 6}, {0, 2, 2}, {0, 2, 6, 6, 6}}));
    std::vector<Card> all_cards = hole_cards;
    all_cards.insert(all_cards.end(), flop_cards.begin(), flop_cards.end());
    all_cards.push_back(turn_card[0]);
    all_cards.push_back(river_card[0]);
    EXPECT_EQ(game.history.cards, all_cards);
    EXPECT_EQ(game.no_active_players(), 2u);

    // The shared example hand is this very hand.
    EXPECT_EQ(corvald_test::fold_on_flop_hand().history.player_stakes,
              game.history.player_stakes);
}

TEST(Game, RaiseReopensTheBettingWithoutClearingObservedFlags)
{
    Game game = three_players_after_blinds();
    play(game, {0, 0, 4});
    // Everybody has acted, yet the two callers are below the big blind's raise.
    EXPECT_EQ(describe(game), "hole P2 match 6 | 2o 6o 2o | open");
    EXPECT_TRUE(game.all_observed());
    play(game, {0});
    EXPECT_EQ(describe(game), "hole P0 match 6 | 2o 6o 6o | open");
    play(game, {-1});
    EXPECT_EQ(describe(game), "hole P1 match 6 | 2fo 6o 6o | over");

    // Two players left: the hand goes on, opened by the lowest index still in.
    game.advance_round(hole_cards);
    EXPECT_EQ(describe(game), "flop P1 match 6 | 2fo 6 6 | open");
    EXPECT_FALSE(game.all_observed());

    // A re-raise sends the turn back to the first bettor.
    play(game, {2});
    EXPECT_EQ(describe(game), "flop P2 match 8 | 2fo 8o 6 | open");
    play(game, {4});
    EXPECT_EQ(describe(game), "flop P1 match 12 | 2fo 8o 12o | open");
    play(game, {0});
    EXPECT_EQ(describe(game), "flop P2 match 12 | 2fo 12o 12o | over");
    EXPECT_EQ(game.history.player_stakes[1], (std::vector<float>{0, 2, 6, 8, 12}));
}

TEST(Game, EverybodyFoldingToOnePlayerEndsTheRoundBeforeHeActs)
{
    Game game = three_players_after_blinds();
    play(game, {-1});
    EXPECT_EQ(describe(game), "hole P0 match 2 | 1 2 0fo | open");
    play(game, {-1});
    EXPECT_EQ(describe(game), "hole P1 match 2 | 1fo 2 0fo | over");

    game.advance_round(hole_cards);
    EXPECT_EQ(describe(game), "showdown P1 match 2 | 1fo 2 0f | over");
    EXPECT_EQ(game.history.stakes_to_match, (std::vector<float>{2, 2}));
    EXPECT_EQ(game.history.cards, hole_cards);
}

TEST(Game, LastPlayerLeftOnTheFlopSkipsTheRemainingRounds)
{
    Game game = three_players_after_blinds();
    play(game, {0, 0, 0});
    game.advance_round(hole_cards);
    play(game, {4, -1, -1});
    EXPECT_EQ(describe(game), "flop P0 match 6 | 6o 2fo 2fo | over");
    game.advance_round(flop_cards);
    EXPECT_EQ(describe(game), "showdown P0 match 6 | 6 2f 2f | over");
    EXPECT_EQ(game.history.stakes_to_match, (std::vector<float>{2, 6, 6}));
}

TEST(Game, HeadsUpPlayerZeroActsFirstInEveryRound)
{
    Game game;
    game.new_hand(2);
    EXPECT_EQ(game.history.names, (std::vector<std::string>{"", ""}));
    game.blind(1);
    game.blind(2);
    EXPECT_EQ(describe(game), "hole P0 match 2 | 1 2 | open");
    play(game, {0});
    EXPECT_EQ(describe(game), "hole P1 match 2 | 2o 2 | open");
    play(game, {0});
    EXPECT_EQ(describe(game), "hole P0 match 2 | 2o 2o | over");

    game.advance_round(hole_cards);
    EXPECT_EQ(describe(game), "flop P0 match 2 | 2 2 | open");
    play(game, {0, 3});
    EXPECT_EQ(describe(game), "flop P0 match 5 | 2o 5o | open");
    play(game, {0});
    EXPECT_EQ(describe(game), "flop P1 match 5 | 5o 5o | over");

    game.advance_round(flop_cards);
    EXPECT_EQ(describe(game), "turn P0 match 5 | 5 5 | open");
    play(game, {0, 0});
    game.advance_round(turn_card);
    EXPECT_EQ(describe(game), "river P0 match 5 | 5 5 | open");
}

TEST(Game, SecondBlindBelowTheFirstLowersTheStakeToMatch)
{
    Game game;
    game.new_hand(3);
    game.blind(2);
    game.blind(1);
    EXPECT_EQ(describe(game), "hole P2 match 1 | 2 1 0 | open");
    play(game, {0});
    EXPECT_EQ(describe(game), "hole P0 match 1 | 2 1 1o | open");
    // The first blind's call brings his stake down to the stake to match.
    play(game, {0});
    EXPECT_EQ(describe(game), "hole P1 match 1 | 1o 1 1o | open");
    play(game, {0});
    EXPECT_EQ(describe(game), "hole P2 match 1 | 1o 1o 1o | over");
    EXPECT_EQ(game.history.player_stakes[0], (std::vector<float>{0, 2, 1}));
}

TEST(Game, StakesAreRunningTotalsAddedInSinglePrecision)
{
    Game game = three_players_after_blinds();
    play(game, {0.1f});
    const float expected = 2.0f + 0.1f;
    EXPECT_EQ(game.history.player_stakes[2].back(), expected);
    EXPECT_EQ(game.history.stakes_to_match.back(), expected);
    // Calls reach exactly the same float, so the round closes.
    play(game, {0, 0});
    EXPECT_TRUE(game.round_over());
}

TEST(Game, NanStakeKeepsTheRoundOpen)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();

    Game called = three_players_after_blinds();
    play(called, {nan, 0, 0});
    EXPECT_TRUE(std::isnan(called.history.player_stakes[0].back()));
    EXPECT_TRUE(called.all_observed());
    EXPECT_FALSE(called.round_over());

    // Not even a lone player closes the round with a NaN stake.
    Game alone = three_players_after_blinds();
    play(alone, {nan, -1, -1});
    EXPECT_EQ(alone.no_active_players(), 1u);
    EXPECT_EQ(alone.current_player, 2u);
    EXPECT_FALSE(alone.round_over());
}

TEST(Game, NewHandForgetsEverythingOfThePreviousHand)
{
    Game game = corvald_test::fold_on_flop_hand();
    game.new_hand({"Dee", "Eve"});
    EXPECT_EQ(describe(game), "hole P0 match 0 | 0 0 | open");
    EXPECT_EQ(game.history.names, (std::vector<std::string>{"Dee", "Eve"}));
    EXPECT_EQ(game.history.stakes_to_match, (std::vector<float>{0}));
    EXPECT_TRUE(game.history.cards.empty());
}

// With nobody left in, the turn has nowhere to go: it stays with the player who had it,
// and a new round starts at player 0. The round is over at once (everybody is observed),
// and since no single player is left the rounds still follow one another to showdown.
TEST(Game, TurnOrderEndsWhenEveryPlayerHasFolded)
{
    Game game = three_players_after_blinds();
    play(game, {-1, -1, -1});
    EXPECT_EQ(describe(game), "hole P1 match 2 | 1fo 2fo 0fo | over");
    game.advance_player();
    EXPECT_EQ(game.current_player, 1u);

    game.advance_round(hole_cards);
    EXPECT_EQ(describe(game), "flop P0 match 2 | 1fo 2fo 0fo | over");
    game.advance_round(flop_cards);
    game.advance_round(turn_card);
    game.advance_round(river_card);
    EXPECT_EQ(describe(game), "showdown P0 match 2 | 1fo 2fo 0fo | over");
}

TEST(Game, TurnOrderEndsWithNoPlayers)
{
    Game game;
    game.new_hand(0);
    game.advance_player();
    EXPECT_EQ(describe(game), "hole P0 match 0 | | over");
    EXPECT_TRUE(game.all_observed());
    EXPECT_EQ(game.no_active_players(), 0u);
    game.advance_round({});
    EXPECT_EQ(describe(game), "flop P0 match 0 | | over");
}

TEST(Game, MovesWithoutAPlayerToActBreakAnAssertion)
{
#ifdef NDEBUG
    GTEST_SKIP() << "assertions are compiled out";
#else
    Game game;
    game.new_hand(0);
    EXPECT_DEATH(game.blind(1), "current_player");
    EXPECT_DEATH(game.raise(0), "current_player");
    EXPECT_DEATH(game.fold(), "current_player");
#endif
}

TEST(Game, CardsDealtInEachRound)
{
    EXPECT_EQ(Game::cards_dealt_in_round(Game::hole), 2);
    EXPECT_EQ(Game::cards_dealt_in_round(Game::flop), 3);
    EXPECT_EQ(Game::cards_dealt_in_round(Game::turn), 1);
    EXPECT_EQ(Game::cards_dealt_in_round(Game::river), 1);
    EXPECT_EQ(Game::cards_dealt_in_round(Game::showdown), 0);
    EXPECT_EQ(Game::cards_dealt_in_round(static_cast<Game::Round>(5)), 0);
    EXPECT_EQ(Game::cards_dealt_in_round(static_cast<Game::Round>(-1)), 0);
}
