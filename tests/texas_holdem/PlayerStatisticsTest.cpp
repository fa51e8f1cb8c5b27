#include "texas_holdem/PlayerStatistics.h"

#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "support/HandRecordBuilder.h"

namespace poker::texas_holdem {
namespace {

using test::HandRecordBuilder;
using Kind = HandRecordBuilder::Kind;

const PlayerStatistics::Totals& of(const PlayerStatistics& statistics, const std::string& name)
{
    return statistics.players().at(name);
}

// A player's figures on one line, "-" for a share without chances: hands, VPIP, PFR,
// 3-bet, fold to 3-bet, aggression, went to and won at showdown, big blinds per 100, net.
std::string summary(const PlayerStatistics& statistics, const std::string& name)
{
    const PlayerStatistics::Totals& t = of(statistics, name);
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

TEST(PlayerStatistics, WalkCountsHandsAndMoneyButNoVoluntaryMoney)
{
    PlayerStatistics statistics;
    statistics.add(walk().build());
    EXPECT_EQ(summary(statistics, "A"), "A: 1 0 0 - - - - - -50 -50 USD");
    EXPECT_EQ(summary(statistics, "B"), "B: 1 0 0 - - - - - 50 50 USD");
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

TEST(PlayerStatistics, LimpRaiseReRaiseAndFoldToTheReRaise)
{
    PlayerStatistics statistics;
    statistics.add(re_raise().build());
    EXPECT_EQ(summary(statistics, "A"), "A: 1 1 1 - 1 - - - -300 -300 USD");
    EXPECT_EQ(summary(statistics, "B"), "B: 1 0 0 0 - - - - -50 -50 USD");
    EXPECT_EQ(summary(statistics, "C"), "C: 1 1 1 1 - - - - 450 450 USD");
    EXPECT_EQ(summary(statistics, "D"), "D: 1 1 0 - - - - - -100 -100 USD");
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

TEST(PlayerStatistics, ShowdownAndAggressionAfterTheFlop)
{
    PlayerStatistics statistics;
    statistics.add(showdown_won_by_b().build());
    EXPECT_EQ(summary(statistics, "A"), "A: 1 1 0 - - 0.333333 1 0 -2500 -2500 USD");
    EXPECT_EQ(summary(statistics, "B"), "B: 1 0 0 - - - 1 1 2400 2400 USD");
    EXPECT_EQ(of(statistics, "B").aggressive_moves, 3u); // no call after the flop: no aggression
}

// A sees the flop and folds on it: no showdown for him.
TEST(PlayerStatistics, SplitPotIsWonByBothAndSharesAddUpOverHands)
{
    PlayerStatistics statistics;
    statistics.add(HandRecordBuilder("4").seat("A").seat("B").seat("C")
                       .act("A", Kind::small_blind, 50).act("B", Kind::big_blind, 100)
                       .act("C", Kind::call, 100).act("A", Kind::call, 50).act("B", Kind::check)
                       .street("Ah Kh Qh").act("A", Kind::check).act("B", Kind::check)
                       .act("C", Kind::bet, 100).act("A", Kind::fold).act("B", Kind::call, 100)
                       .street("2c").street("3c").showdown()
                       .collect("B", 200).collect("C", 200).build());
    statistics.add(walk().build());
    EXPECT_EQ(summary(statistics, "A"), "A: 2 0.5 0 - - - 0 - -75 -150 USD");
    EXPECT_EQ(summary(statistics, "B"), "B: 2 0 0 - - 0 1 1 25 50 USD");
    EXPECT_EQ(summary(statistics, "C"), "C: 1 1 0 - - - 1 1 0 0 USD");
}

TEST(PlayerStatistics, BigBlindsPer100AreExactOverDifferentStakesAndUnits)
{
    PlayerStatistics statistics;
    statistics.add(walk().build());  // B wins 50 at a 100 big blind: half a big blind
    HandRecordBuilder chips("5", 10, 20, true);
    chips.seat("A").seat("B").act("A", Kind::small_blind, 10).act("B", Kind::big_blind, 20)
        .act("A", Kind::fold).act("B", Kind::uncalled, 10).collect("B", 20);
    statistics.add(chips.build());  // and 10 chips at a 20 big blind: another half
    EXPECT_EQ(summary(statistics, "B"), "B: 2 0 0 - - - - - 50 50 USD 10 chips");
}

TEST(PlayerStatistics, HandWithoutPayingLinesLeavesMoneyAndShowdownWinsEmpty)
{
    PlayerStatistics statistics;
    statistics.add(HandRecordBuilder("6").seat("A").seat("B").no_uncalled_lines()
                       .act("A", Kind::small_blind, 50).act("B", Kind::big_blind, 100)
                       .act("A", Kind::call, 50).act("B", Kind::check).street("2c 3c 4c")
                       .street("5d").street("9s").showdown().build());
    EXPECT_EQ(summary(statistics, "A"), "A: 1 1 0 - - - 1 - -");
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
    EXPECT_EQ(whole.rows(3).size(), 2u); // A and B
}

} // namespace
} // namespace poker::texas_holdem
