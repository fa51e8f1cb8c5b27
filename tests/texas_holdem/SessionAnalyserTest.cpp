#include "texas_holdem/SessionAnalyser.h"

#include <sstream>

#include <gtest/gtest.h>

#include "support/GameState.h"
#include "support/ScreenPicture.h"

using poker::texas_holdem::SessionAnalyser;

TEST(SessionAnalyser, HandsAddRowsUnderTheirOwnNumbersUntilEachPlayerIsOut)
{
    SessionAnalyser session;
    session.record(corvald_test::three_player_hand().history);
    // Dee and Eve post the blinds, Fay and Dee fold: Eve wins in the hole round.
    session.record(corvald_test::play_hand({"Dee", "Eve", "Fay"}, {1, 2}, {{-1, -1}, {}}).history);

    std::ostringstream rows;
    for (const auto& e : session.player_entries)
        rows << e.name << " g" << e.game << " r" << e.round << " match " << e.stake_to_match
             << (e.active ? " in" : " out") << " stake " << e.stake << "\n";
    for (const auto& e : session.game_entries)
        rows << "g" << e.game << " r" << e.round << " match " << e.stake_to_match << "\n";
    EXPECT_TRUE(corvald_test::matches_golden(rows.str(), "texas_holdem/golden/TwoHandsOfRows"));
    EXPECT_EQ(session.game_count, 2u);
}
