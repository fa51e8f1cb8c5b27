#include "texas_holdem/SessionAnalyser.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/GameState.h"
#include "texas_holdem/Game.h"

using poker::texas_holdem::SessionAnalyser;

TEST(SessionAnalyser, HandsAddRowsUnderTheirOwnNumbersUntilEachPlayerIsOut)
{
    SessionAnalyser session;
    session.record(corvald_test::three_player_hand().history);
    // Dee and Eve post the blinds, Fay and Dee fold: Eve wins in the hole round.
    session.record(corvald_test::play_hand({"Dee", "Eve", "Fay"}, {1, 2}, {{-1, -1}, {}}).history);

    // Player rows, then round rows.
    std::vector<std::string> rows;
    for (const auto& e : session.player_entries) {
        std::ostringstream row;
        row << e.name << " g" << e.game << " r" << e.round << " match " << e.stake_to_match
            << (e.active ? " in" : " out") << " stake " << e.stake;
        rows.push_back(row.str());
    }
    for (const auto& e : session.game_entries) {
        std::ostringstream row;
        row << "g" << e.game << " r" << e.round << " match " << e.stake_to_match;
        rows.push_back(row.str());
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"Ann g0 r0 match 6 in stake 10", "Ann g0 r1 match 10 in stake 10",
                                              "Ann g0 r2 match 10 in stake 10", "Ann g0 r3 match 10 in stake 10",
                                              "Bob g0 r0 match 6 in stake 6", "Bob g0 r1 match 10 out stake 6",
                                              "Cid g0 r0 match 6 in stake 10", "Cid g0 r1 match 10 in stake 10",
                                              "Cid g0 r2 match 10 in stake 10", "Cid g0 r3 match 10 in stake 10",
                                              "Dee g1 r0 match 2 out stake 1", "Eve g1 r0 match 2 in stake 2",
                                              "Fay g1 r0 match 2 out stake 0", "g0 r0 match 6", "g0 r1 match 10",
                                              "g0 r2 match 10", "g0 r3 match 10", "g1 r0 match 2"}));
    EXPECT_EQ(session.game_count, 2u);
}
