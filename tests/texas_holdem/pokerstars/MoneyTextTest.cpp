#include "texas_holdem/pokerstars/MoneyText.h"

#include <gtest/gtest.h>

#include "support/ReplayHarness.h"
#include "texas_holdem/pokerstars/HandHistoryError.h"
#include "texas_holdem/pokerstars/PotLedger.h"

using namespace poker::texas_holdem::pokerstars;

TEST(MoneyText, ReadsEverySignAndWritesAmountsBackAsTheFileDid)
{
    // clang-format off
    const struct {
        const char* text;
        Money amount;     // -1: refused
        const char* written;
    } cases[] = {
        {"$0.05", 5, "$0.05"}, {"$1", 100, "$1"}, {"$133.5", 13350, "$133.50"},
        {"\xe2\x82\xac" "6.08", 608, "\xe2\x82\xac" "6.08"}, {"\xc2\xa3" "0.50", 50, "\xc2\xa3" "0.50"},
        {"Rs.\xc2\xa0" "25", 2500, "Rs.\xc2\xa0" "25"}, {"\x80" "2", 200, "\x80" "2"},
        {"$1.234", -1, ""}, {"$1.", -1, ""}, {"$", -1, ""}, {"$1,646.95", -1, ""},
        {"$1234567890123456", -1, ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        MoneyForm form;
        const std::size_t sign = MoneyText::read_sign(c.text, form);
        EXPECT_GT(sign, 0u) << c.text;
        form.cents = true;
        Money amount = -1;
        EXPECT_EQ(MoneyText::parse(c.text, form, amount), c.amount >= 0) << c.text;
        EXPECT_EQ(amount, c.amount) << c.text;
        if (c.amount >= 0) {
            EXPECT_EQ(MoneyText::format(amount, form), c.written);
        }
    }
    const MoneyForm chips;
    Money amount = 0;
    EXPECT_TRUE(MoneyText::parse("1500", chips, amount));
    EXPECT_EQ(amount, 1500);
    EXPECT_FALSE(MoneyText::parse("15.5", chips, amount));
    EXPECT_FALSE(MoneyText::parse("$15", chips, amount));
}

TEST(MoneyText, CompactFormFitsFourCellsAndNeverShowsMore)
{
    // clang-format off
    const struct {
        Money amount;
        bool cents;
        const char* shown;
    } cases[] = {
        {0, true, "   0"}, {5, true, " .05"}, {50, true, "  .5"}, {125, true, "1.25"},
        {1250, true, "12.5"}, {1205, true, "  12"}, {12599, true, " 125"}, {999999, true, "9999"},
        {1884300, true, " 18k"}, {18843, false, " 18k"}, {999999, false, "999k"},
        {1500000, false, "1.5M"}, {1000000, false, "  1M"}, {15000000, false, " 15M"},
        {999999999, false, "999M"}, {1000000000, false, "XXXX"}, {-1, false, "XXXX"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_STREQ(MoneyText::compact(c.amount, c.cents).data(), c.shown) << c.amount;
}

// Three players, one all-in for less: a side pot, an uncalled excess, antes and a dead
// blind beside the street bets, a cap, and the pre-2008 pot of matched money only.
TEST(PotLedger, CountsSidePotsReturnsDeadMoneyAndCaps)
{
    PotLedger ledger;
    ledger.reset({1000, 300, 2000}, 0);
    for (std::size_t seat = 0; seat < 3; ++seat)
        ledger.ante(seat, 10);
    ledger.live_blind(0, 50);
    ledger.live_blind(1, 100);
    ledger.dead_blind(2, 50);
    EXPECT_EQ(ledger.street_bet(2), 0);
    EXPECT_EQ(ledger.raise_to(2, 600), 600);
    EXPECT_EQ(ledger.raise_to(2, 500), -1);
    ledger.add(1, 190); // all-in for less: 290 of his 300
    EXPECT_TRUE(ledger.all_in(1));
    ledger.add(0, 550);
    EXPECT_EQ(ledger.pot(), 30 + 50 + 600 + 290 + 600);
    ledger.new_street();
    ledger.add(0, 200);
    EXPECT_FALSE(ledger.returned(0, 201));
    EXPECT_TRUE(ledger.returned(0, 200));
    ledger.collected(0, 1570);
    MoneyForm dollars{"$", true, "USD"};
    EXPECT_NO_THROW(ledger.check(1570, 0, {870, 700}, dollars, 9));
    EXPECT_EQ(corvald_test::hand_history_fault([&] { ledger.check(1571, 1, {}, dollars, 9); }),
              "9 Pot mismatch: the summary says $15.71, the bets add up to $15.70");
    EXPECT_THROW(ledger.check(1570, 1, {}, dollars, 9), HandHistoryError);
    EXPECT_THROW(ledger.check(1570, 0, {870, 701}, dollars, 9), HandHistoryError);

    // Without returned lines the summary may leave out the bet nobody matched.
    ledger.reset({1000, 1000}, 400);
    ledger.add(0, 300);
    ledger.add(1, 100);
    ledger.collected(1, 200);
    EXPECT_NO_THROW(ledger.check(200, 0, {}, dollars, 1));
    EXPECT_THROW(ledger.check(201, 0, {}, dollars, 1), HandHistoryError);
    ledger.add(0, 101);
    EXPECT_FALSE(ledger.within_limits(0));
}
