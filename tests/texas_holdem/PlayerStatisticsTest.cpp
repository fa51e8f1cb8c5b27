#include "texas_holdem/PlayerStatistics.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/HandRecordBuilder.h"

namespace poker::texas_holdem {
namespace {

using test::HandRecordBuilder;
using Kind = HandRecordBuilder::Kind;

// A player's figures on one line, "-" for a share without chances: hands, VPIP, PFR,
// 3-bet, fold to 3-bet, aggression, went to and won at showdown, big blinds per 100, net.
std::string summary(const PlayerStatistics& statistics, const std::string& name)
{
    const PlayerStatistics::Totals& t = statistics.players().at(name);
    std::ostringstream line;
    line << name << ": " << t.hands;
    for (const auto& share : {t.vpip(), t.pfr(), t.three_bet(), t.fold_to_three_bet(), t.aggression(),
                              t.went_to_showdown(), t.won_at_showdown(), t.big_blinds_per_100()})
        share ? line << " " << *share : line << " -";
    for (const auto& [unit, amount] : t.net)
        line << " " << amount << " " << unit;
    return line.str();
}

// A folds his small blind: the big blind's walk is no voluntary money.
// clang-format off
HandRecordBuilder walk()
{
    return std::move(HandRecordBuilder("1").seat("A").seat("B")
                         .act("A", Kind::small_blind, 50).act("B", Kind::big_blind, 100)
                         .act("A", Kind::fold).act("B", Kind::uncalled, 50).collect("B", 100));
}

// D limps, A raises, B folds, C re-raises, D and A fold. A's first raise is no re-raise;
// D never faced a single raise (it was re-raised before his turn came back).
HandRecordBuilder re_raise()
{
    return std::move(HandRecordBuilder("2").seat("A").seat("B").seat("C").seat("D")
                         .act("B", Kind::small_blind, 50).act("C", Kind::big_blind, 100)
                         .act("D", Kind::call, 100).raise("A", 300, 300).act("B", Kind::fold)
                         .raise("C", 800, 900).act("D", Kind::fold).act("A", Kind::fold)
                         .act("C", Kind::uncalled, 600).collect("C", 750));
}

// Heads-up to the river; B bets and raises, A calls three times and wins nothing.
HandRecordBuilder showdown_won_by_b()
{
    return std::move(HandRecordBuilder("3").seat("A").seat("B")
        .act("A", Kind::small_blind, 50).act("B", Kind::big_blind, 100)
        .act("A", Kind::call, 50).act("B", Kind::check)
        .street("Kd 7c 2s").act("B", Kind::bet, 200).act("A", Kind::call, 200)
        .street("9h").act("B", Kind::check).act("A", Kind::bet, 400).raise("B", 1200, 1200)
        .act("A", Kind::call, 800)
        .street("3c").act("B", Kind::bet, 1000).act("A", Kind::call, 1000)
        .showdown().shows("B", "Kc Ks").shows("A", "Ah Kh").collect("B", 4900).rake(100));
}

// Each player's figures after the hands of a row.
TEST(PlayerStatistics, FiguresOfEveryPlayerOverTheHands)
{
    const struct {
        std::vector<HandRecordBuilder> hands;
        std::vector<std::string> players;
    } rows[] = {
        // A walk counts hands and money but no voluntary money.
        {{walk()}, {"A: 1 0 0 - - - - - -50 -50 USD", "B: 1 0 0 - - - - - 50 50 USD"}},
        {{re_raise()}, {"A: 1 1 1 - 1 - - - -300 -300 USD", "B: 1 0 0 0 - - - - -50 -50 USD",
                        "C: 1 1 1 1 - - - - 450 450 USD", "D: 1 1 0 - - - - - -100 -100 USD"}},
        // Showdown and aggression after the flop.
        {{showdown_won_by_b()}, {"A: 1 1 0 - - 0.333333 1 0 -2500 -2500 USD", "B: 1 0 0 - - - 1 1 2400 2400 USD"}},
        // A split pot is won by both, and shares add up over hands. A sees the flop and
        // folds on it: no showdown for him.
        {{HandRecordBuilder("4").seat("A").seat("B").seat("C")
              .act("A", Kind::small_blind, 50).act("B", Kind::big_blind, 100)
              .act("C", Kind::call, 100).act("A", Kind::call, 50).act("B", Kind::check)
              .street("Ah Kh Qh").act("A", Kind::check).act("B", Kind::check)
              .act("C", Kind::bet, 100).act("A", Kind::fold).act("B", Kind::call, 100)
              .street("2c").street("3c").showdown().collect("B", 200).collect("C", 200), walk()},
         {"A: 2 0.5 0 - - - 0 - -75 -150 USD", "B: 2 0 0 - - 0 1 1 25 50 USD", "C: 1 1 0 - - - 1 1 0 0 USD"}},
        // Big blinds per 100 are exact over different stakes and units: B wins 50 at a 100
        // big blind, half a big blind, and 10 chips at a 20 big blind, another half.
        {{walk(), HandRecordBuilder("5", 10, 20, true).seat("A").seat("B")
                      .act("A", Kind::small_blind, 10).act("B", Kind::big_blind, 20)
                      .act("A", Kind::fold).act("B", Kind::uncalled, 10).collect("B", 20)},
         {"A: 2 0 0 - - - - - -50 -50 USD -10 chips", "B: 2 0 0 - - - - - 50 50 USD 10 chips"}},
        // A hand without paying lines leaves money and showdown wins empty.
        {{HandRecordBuilder("6").seat("A").seat("B").no_uncalled_lines()
              .act("A", Kind::small_blind, 50).act("B", Kind::big_blind, 100)
              .act("A", Kind::call, 50).act("B", Kind::check).street("2c 3c 4c")
              .street("5d").street("9s").showdown()},
         {"A: 1 1 0 - - - 1 - -"}},
    };
    for (const auto& row : rows) {
        PlayerStatistics statistics;
        for (const HandRecordBuilder& hand : row.hands)
            statistics.add(hand.build());
        for (const std::string& line : row.players)
            EXPECT_EQ(summary(statistics, line.substr(0, line.find(':'))), line);
    }
}
// clang-format on

TEST(PlayerStatistics, MergingTwoHalvesGivesTheWhole)
{
    PlayerStatistics whole, first, second;
    for (const HandRecordBuilder& hand : {walk(), showdown_won_by_b(), re_raise()})
        whole.add(hand.build());
    first.add(walk().build());
    first.add(showdown_won_by_b().build());
    second.add(re_raise().build());
    first.merge(second);
    EXPECT_EQ(first.rows(1).size(), 4u);
    for (const auto& [name, totals] : whole.players())
        EXPECT_EQ(summary(first, name), summary(whole, name));
    EXPECT_EQ(whole.rows(3).size(), 2u);                     // A and B
    EXPECT_EQ(whole.players().at("B").aggressive_moves, 3u); // no call after the flop: no aggression
}

} // namespace
} // namespace poker::texas_holdem
