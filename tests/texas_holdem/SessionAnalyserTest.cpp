#include "texas_holdem/SessionAnalyser.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/GameState.h"
#include "texas_holdem/Game.h"

using corvald_test::play;
using poker::texas_holdem::Game;
using poker::texas_holdem::SessionAnalyser;

namespace {

// One line per row: "<name> g<game> r<round> match <stake to match> in|out stake <stake>".
std::vector<std::string> player_rows(const SessionAnalyser& session)
{
    std::vector<std::string> rows;
    for (const auto& e : session.player_entries) {
        std::ostringstream row;
        row << e.name << " g" << e.game << " r" << e.round << " match " << e.stake_to_match
            << (e.active ? " in" : " out") << " stake " << e.stake;
        rows.push_back(row.str());
    }
    return rows;
}

// One line per row: "g<game> r<round> match <stake to match>".
std::vector<std::string> game_rows(const SessionAnalyser& session)
{
    std::vector<std::string> rows;
    for (const auto& e : session.game_entries) {
        std::ostringstream row;
        row << "g" << e.game << " r" << e.round << " match " << e.stake_to_match;
        rows.push_back(row.str());
    }
    return rows;
}

// Dee and Eve post blinds 1 and 2, Fay and Dee fold: Eve wins in the hole round.
Game folded_to_big_blind_hand()
{
    Game game;
    game.new_hand({"Dee", "Eve", "Fay"});
    game.blind(1);
    game.blind(2);
    play(game, {-1, -1});
    game.advance_round({});
    return game;
}

} // namespace

TEST(SessionAnalyser, HandsAddRowsUnderTheirOwnNumbersUntilEachPlayerIsOut)
{
    SessionAnalyser session;
    EXPECT_EQ(session.game_count, 0u);
    EXPECT_TRUE(session.player_entries.empty());
    EXPECT_TRUE(session.game_entries.empty());

    const Game shown_down = corvald_test::fold_on_flop_hand();
    session.record(shown_down.history);
    session.record(folded_to_big_blind_hand().history);
    session.record(shown_down.history);

    const std::vector<std::string> shown_down_rows = {
        "Ann g{} r0 match 2 in stake 6",  "Ann g{} r1 match 6 in stake 6",
        "Ann g{} r2 match 6 in stake 6",  "Ann g{} r3 match 6 in stake 6",
        "Bob g{} r0 match 2 in stake 2",  "Bob g{} r1 match 6 out stake 2",
        "Cid g{} r0 match 2 in stake 6",  "Cid g{} r1 match 6 in stake 6",
        "Cid g{} r2 match 6 in stake 6",  "Cid g{} r3 match 6 in stake 6",
    };
    std::vector<std::string> expected;
    auto add_shown_down = [&](char number) {
        for (std::string row : shown_down_rows) {
            row.replace(row.find("{}"), 2, 1, number);
            expected.push_back(row);
        }
    };
    add_shown_down('0');
    expected.insert(expected.end(), {"Dee g1 r0 match 2 out stake 1",
                                     "Eve g1 r0 match 2 in stake 2",
                                     "Fay g1 r0 match 2 out stake 0"});
    add_shown_down('2');
    EXPECT_EQ(player_rows(session), expected);

    EXPECT_EQ(game_rows(session),
              (std::vector<std::string>{"g0 r0 match 2", "g0 r1 match 6", "g0 r2 match 6",
                                        "g0 r3 match 6", "g1 r0 match 2", "g2 r0 match 2",
                                        "g2 r1 match 6", "g2 r2 match 6", "g2 r3 match 6"}));
    EXPECT_EQ(session.game_count, 3u);
}
