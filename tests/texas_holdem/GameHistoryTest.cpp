#include "texas_holdem/GameHistory.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using poker::Card;
using poker::texas_holdem::GameHistory;

TEST(GameHistory, ResetStartsEveryPlayerAtZeroAndForgetsTheLastHand)
{
    GameHistory history;
    history.reset(2);
    history.set_names({"Ann", "Bob"});
    history.record_stake(0, 5);
    history.record_round({Card(1, Card::hearts), Card(2, Card::hearts)});

    history.reset(3);
    EXPECT_EQ(history.names, (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(history.stakes_to_match, (std::vector<float>{0}));
    EXPECT_EQ(history.player_stakes, (std::vector<std::vector<float>>{{0}, {0}, {0}}));
    EXPECT_TRUE(history.cards.empty());
}

TEST(GameHistory, SetNamesFillsTheLeadingSeats)
{
    GameHistory history;
    history.reset(3);
    history.set_names({"Ann", "Bob"});
    EXPECT_EQ(history.names, (std::vector<std::string>{"Ann", "Bob", ""}));
}

TEST(GameHistory, StakeToMatchFollowsTheLastStakeAndCarriesIntoTheNextRound)
{
    GameHistory history;
    history.reset(2);
    history.record_stake(0, 5);
    history.record_stake(1, 3);
    EXPECT_EQ(history.stakes_to_match, (std::vector<float>{3}));

    const Card ace(12, Card::clubs);
    history.record_round({ace});
    EXPECT_EQ(history.stakes_to_match, (std::vector<float>{3, 3}));
    history.record_stake(1, 7);
    history.record_round({});
    EXPECT_EQ(history.stakes_to_match, (std::vector<float>{3, 7, 7}));
    EXPECT_EQ(history.player_stakes, (std::vector<std::vector<float>>{{0, 5}, {0, 3, 7}}));
    EXPECT_EQ(history.cards, std::vector<Card>{ace});
}
