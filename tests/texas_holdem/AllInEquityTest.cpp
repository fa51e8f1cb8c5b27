#include "texas_holdem/AllInEquity.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include <gtest/gtest.h>

#include "poker/Hand.h"
#include "support/CardText.h"
#include "support/HandRecordBuilder.h"

namespace poker::texas_holdem {
namespace {

using test::HandRecordBuilder;
using Kind = HandRecordBuilder::Kind;

// Three players see a flop of Kd 7h 2h. A (Ah Kh, a flush draw) bets his last 200, B (Qs Qd) raises
// all-in to 900, C, the hero, (Jc Js) calls: a main pot of 900 for all three and a side
// pot of 1400 for B and C. B's queens hold.
HandRecordBuilder three_way_all_in_on_the_flop()
{
    // clang-format off
    return std::move(HandRecordBuilder("7").seat("A", 300).seat("B", 1000).seat("C", 5000)
        .hero("C", "Jc Js")
        .act("A", Kind::small_blind, 50).act("B", Kind::big_blind, 100)
        .act("C", Kind::call, 100).act("A", Kind::call, 50).act("B", Kind::check)
        .street("Kd 7h 2h").act("A", Kind::bet, 200, true).raise("B", 900, 900, true)
        .act("C", Kind::call, 900)
        .street("4h").street("5h").showdown().shows("A", "Ah Kh").shows("B", "Qs Qd")
        .collect("B", 1400).collect("A", 900));
    // clang-format on
}

// The test's own count of `situation`: every board that completes the known one, each pot
// to its best hands by the ranking rules, split evenly, in split units.
AllInEquity::Shares counted_shares(const AllInEquity::Situation& situation)
{
    std::vector<Card> seen = situation.board, rest, board = situation.board;
    for (const auto& hand : situation.hands)
        seen.insert(seen.end(), hand.begin(), hand.end());
    for (unsigned i = 0; i < Card::no_cards; ++i)
        if (std::find(seen.begin(), seen.end(), Card::from_index(i)) == seen.end())
            rest.push_back(Card::from_index(i));
    AllInEquity::Shares shares{std::vector<std::uint64_t>(situation.pot_players.size()), 0};
    const std::function<void(std::size_t)> deal = [&](std::size_t from) {
        for (std::size_t i = from; board.size() < AllInEquity::board_cards && i < rest.size(); ++i) {
            board.push_back(rest[i]);
            deal(i + 1);
            board.pop_back();
        }
        if (board.size() < AllInEquity::board_cards)
            return;
        ++shares.boards;
        std::vector<Hand> best;
        for (const auto& hand : situation.hands) {
            std::vector<Card> seven = board;
            seven.insert(seven.end(), hand.begin(), hand.end());
            best.push_back(Hand::best_hand(seven));
        }
        for (std::size_t k = 0; k < situation.pot_players.size(); ++k) {
            std::vector<Hand> in;
            for (std::size_t p = 0; p < best.size(); ++p)
                if (situation.pot_players[k] >> p & 1u)
                    in.push_back(best[p]);
            const Hand top = *std::max_element(in.begin(), in.end());
            if ((situation.pot_players[k] >> situation.player & 1u) != 0 && best[situation.player] == top)
                shares.wins[k] += AllInEquity::split_unit / std::count(in.begin(), in.end(), top);
        }
    };
    deal(0);
    return shares;
}

TEST(AllInEquity, ThreeWayAllInOnTheFlopTakesEachPotsExactShare)
{
    const auto hand = three_way_all_in_on_the_flop().build();
    const HandMoney money(hand);
    ASSERT_EQ(money.net(2), -1000);
    AllInEquity equity;
    const auto adjusted = equity.adjusted_result(hand, 2, money);
    // C's share: the main pot of 900 among all three, the side pot of 1400 against B.
    const std::vector<Card> c = test::cards("Ah Kh Qs Qd Jc Js Kd 7h 2h");
    const auto counted =
        counted_shares({{{c[0], c[1]}, {c[2], c[3]}, {c[4], c[5]}}, {c[6], c[7], c[8]}, {0b111, 0b110}, 2});
    const double won = (900.0 * counted.wins[0] + 1400.0 * counted.wins[1]) / (counted.boards * AllInEquity::split_unit);
    EXPECT_EQ(adjusted, std::llround((won - 1000.0) * AllInEquity::hundredths));
    // The same situation again comes from memory, unchanged.
    EXPECT_EQ(equity.adjusted_result(hand, 2, money), adjusted);
}

TEST(AllInEquity, RakeIsTakenFromTheSharesInProportion)
{
    // clang-format off
    auto builder = HandRecordBuilder("8").seat("A").seat("B").hero("A", "As Ad")
        .act("A", Kind::small_blind, 50).act("B", Kind::big_blind, 100)
        .raise("A", 9950, 10000, true).act("B", Kind::call, 9900)
        .street("Ac Ah 2d").street("3d").street("4d").showdown().shows("B", "Kd Qd")
        .collect("A", 19000).rake(1000);
    // clang-format on
    const auto hand = builder.build();
    const auto adjusted = AllInEquity().adjusted_result(hand, 0, HandMoney(hand));
    // Four aces against every board but a red straight flush, which needs none of it.
    const std::vector<Card> c = test::cards("As Ad Kd Qd");
    const auto shares = AllInEquity::enumerate({{{c[0], c[1]}, {c[2], c[3]}}, {}, {0b11}, 0});
    ASSERT_TRUE(adjusted);
    const double share =
        static_cast<double>(shares.wins[0]) / static_cast<double>(shares.boards * AllInEquity::split_unit);
    EXPECT_NEAR(*adjusted, (19000.0 * share - 10000.0) * AllInEquity::hundredths, 1.0);
    EXPECT_EQ(shares.boards, 1712304u); // every five of the 48 cards left
}

// The shares of every player in one pot add up to the pot, ties split (the two ace-kings tie often).
TEST(AllInEquity, SharesOfAllPlayersAddUpToThePot)
{
    const std::vector<Card> c = test::cards("Ah Kd As Kc Qh Qs");
    const auto share = [&](unsigned hero) {
        return AllInEquity::enumerate({{{c[0], c[1]}, {c[2], c[3]}, {c[4], c[5]}}, {}, {0b111}, hero});
    };
    EXPECT_EQ(share(0).wins[0] + share(1).wins[0] + share(2).wins[0], share(0).boards * AllInEquity::split_unit);
}

// Boards of one card to five against the test's own count: heads-up, scored by one
// comparison, and three players in two pots, the second one not the third player's. The
// whole board, a straight flush, ties them all.
TEST(AllInEquity, EveryBoardSizeAgreesWithTheTestsOwnCount)
{
    const std::vector<Card> c = test::cards("As Ks Qs Qd 7c 7d 9h Th Jh Qh Kh");
    for (std::size_t known = 1; known <= AllInEquity::board_cards; ++known) {
        const std::vector<Card> board(c.begin() + 6, c.begin() + 6 + static_cast<std::ptrdiff_t>(known));
        for (const AllInEquity::Situation& situation :
             {AllInEquity::Situation{{{c[0], c[1]}, {c[2], c[3]}}, board, {0b11}, 1},
              AllInEquity::Situation{{{c[0], c[1]}, {c[2], c[3]}, {c[4], c[5]}}, board, {0b111, 0b011}, 2}}) {
            const auto shares = AllInEquity::enumerate(situation), counted = counted_shares(situation);
            EXPECT_EQ(std::pair(shares.wins, shares.boards), std::pair(counted.wins, counted.boards)) << known;
        }
    }
}

TEST(AllInEquity, NoAdjustmentWithoutAllInShownCardsOrBeforeTheRiver)
{
    auto unshown = three_way_all_in_on_the_flop().build();
    unshown.actions.erase(unshown.actions.end() - 4); // A's cards stay hidden
    EXPECT_FALSE(AllInEquity().adjusted_result(unshown, 2, HandMoney(unshown)));

    // clang-format off
    const auto river = test::HandRecordBuilder("9").seat("A").seat("B").hero("A", "Ah Kh")
        .act("A", Kind::small_blind, 50).act("B", Kind::big_blind, 100)
        .act("A", Kind::call, 50).act("B", Kind::check).street("2c 3c 4c").street("5d")
        .street("9s").act("A", Kind::bet, 9900, true).act("B", Kind::call, 9900)
        .showdown().shows("B", "Qs Qd").collect("B", 20000).build();
    // clang-format on
    EXPECT_FALSE(AllInEquity().adjusted_result(river, 0, HandMoney(river)));
}

} // namespace
} // namespace poker::texas_holdem
