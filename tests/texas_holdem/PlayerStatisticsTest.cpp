#include "texas_holdem/PlayerStatistics.h"

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
    EXPECT_EQ(of(statistics, "A").hands, 1u);
    EXPECT_EQ(of(statistics, "B").vpip(), 0.0);
    EXPECT_EQ(of(statistics, "A").net.at("USD"), -50);
    EXPECT_EQ(of(statistics, "B").net.at("USD"), 50);
    EXPECT_FALSE(of(statistics, "B").three_bet());
    EXPECT_FALSE(of(statistics, "B").went_to_showdown());
}

// D limps, A raises, B folds, C re-raises, D and A fold.
TEST(PlayerStatistics, LimpRaiseReRaiseAndFoldToTheReRaise)
{
    PlayerStatistics statistics;
    statistics.add(HandRecordBuilder("2").seat("A").seat("B").seat("C").seat("D")
                       .act("B", Kind::small_blind, 50).act("C", Kind::big_blind, 100)
                       .act("D", Kind::call, 100).raise("A", 300, 300).act("B", Kind::fold)
                       .raise("C", 800, 900).act("D", Kind::fold).act("A", Kind::fold)
                       .act("C", Kind::uncalled, 600).collect("C", 750).build());
    const auto& a = of(statistics, "A");
    const auto& b = of(statistics, "B");
    const auto& c = of(statistics, "C");
    const auto& d = of(statistics, "D");
    EXPECT_EQ(a.vpip(), 1.0);
    EXPECT_EQ(a.pfr(), 1.0);
    EXPECT_EQ(a.fold_to_three_bet(), 1.0);
    EXPECT_FALSE(a.three_bet());  // the first raise is no re-raise
    EXPECT_EQ(b.three_bet(), 0.0);
    EXPECT_EQ(b.vpip(), 0.0);
    EXPECT_EQ(c.three_bet(), 1.0);
    EXPECT_EQ(c.pfr(), 1.0);
    EXPECT_FALSE(c.fold_to_three_bet());
    EXPECT_EQ(d.vpip(), 1.0);     // the limp
    EXPECT_EQ(d.pfr(), 0.0);
    EXPECT_FALSE(d.three_bet());  // he faced no single raise: it was re-raised before him
    EXPECT_EQ(a.net.at("USD"), -300);
    EXPECT_EQ(b.net.at("USD"), -50);
    EXPECT_EQ(c.net.at("USD"), 450);
    EXPECT_EQ(d.net.at("USD"), -100);
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
    const auto& a = of(statistics, "A");
    const auto& b = of(statistics, "B");
    EXPECT_DOUBLE_EQ(*a.aggression(), 1.0 / 3.0);
    EXPECT_FALSE(b.aggression());  // no call after the flop
    EXPECT_EQ(b.aggressive_moves, 3u);
    EXPECT_EQ(a.went_to_showdown(), 1.0);
    EXPECT_EQ(a.won_at_showdown(), 0.0);
    EXPECT_EQ(b.won_at_showdown(), 1.0);
    EXPECT_EQ(a.net.at("USD"), -2500);
    EXPECT_EQ(b.net.at("USD"), 2400);
}

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
    const auto& a = of(statistics, "A");
    EXPECT_EQ(a.hands, 2u);
    EXPECT_EQ(a.vpip(), 0.5);
    EXPECT_EQ(a.went_to_showdown(), 0.0);  // saw the flop, folded on it
    EXPECT_EQ(of(statistics, "B").won_at_showdown(), 1.0);
    EXPECT_EQ(of(statistics, "C").won_at_showdown(), 1.0);
    EXPECT_EQ(of(statistics, "C").net.at("USD"), 0);
    EXPECT_EQ(of(statistics, "B").net.at("USD"), 0 + 50);
}

TEST(PlayerStatistics, BigBlindsPer100AreExactOverDifferentStakesAndUnits)
{
    PlayerStatistics statistics;
    statistics.add(walk().build());  // B wins 50 at a 100 big blind: half a big blind
    HandRecordBuilder chips("5", 10, 20, true);
    chips.seat("A").seat("B").act("A", Kind::small_blind, 10).act("B", Kind::big_blind, 20)
        .act("A", Kind::fold).act("B", Kind::uncalled, 10).collect("B", 20);
    statistics.add(chips.build());  // and 10 chips at a 20 big blind: another half
    const auto& b = of(statistics, "B");
    EXPECT_EQ(b.net.at("chips"), 10);
    EXPECT_EQ(b.net.at("USD"), 50);
    EXPECT_DOUBLE_EQ(*b.big_blinds_per_100(), 50.0);
}

TEST(PlayerStatistics, HandWithoutPayingLinesLeavesMoneyAndShowdownWinsEmpty)
{
    PlayerStatistics statistics;
    statistics.add(HandRecordBuilder("6").seat("A").seat("B").no_uncalled_lines()
                       .act("A", Kind::small_blind, 50).act("B", Kind::big_blind, 100)
                       .act("A", Kind::call, 50).act("B", Kind::check).street("2c 3c 4c")
                       .street("5d").street("9s").showdown().build());
    const auto& a = of(statistics, "A");
    EXPECT_EQ(a.hands, 1u);
    EXPECT_EQ(a.went_to_showdown(), 1.0);
    EXPECT_FALSE(a.won_at_showdown());
    EXPECT_TRUE(a.net.empty());
    EXPECT_FALSE(a.big_blinds_per_100());
}

// clang-format on
TEST(PlayerStatistics, MergingTwoHalvesGivesTheWhole)
{
    PlayerStatistics whole, first, second;
    whole.add(walk().build());
    whole.add(showdown_won_by_b().build());
    first.add(walk().build());
    second.add(showdown_won_by_b().build());
    first.merge(second);
    EXPECT_EQ(first.rows(1).size(), 2u);
    for (const auto& [name, totals] : whole.players()) {
        EXPECT_EQ(of(first, name).hands, totals.hands);
        EXPECT_EQ(of(first, name).net, totals.net);
        EXPECT_EQ(of(first, name).calls, totals.calls);
    }
    EXPECT_TRUE(whole.rows(3).empty());
}

} // namespace
} // namespace poker::texas_holdem
