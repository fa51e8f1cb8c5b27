#include "texas_holdem/pokerstars/HandHeader.h"

#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

using poker::texas_holdem::pokerstars::HandHeader;
using Kind = HandHeader::Kind;

// Each header form decides the grammar, and another game is named as its header names it.
TEST(HandHeader, FirstLineChoosesTheGrammarAndNamesAnotherGame)
{
    using Row = std::tuple<std::string, Kind, std::string>;
    for (const auto& [line, kind, game] : std::vector<Row>{
             {"PokerStars Game #12345:  Hold'em No Limit ($1/$2) - 2009/04/25 - 15:54:55 (ET)", Kind::older, ""},
             {"PokerStars Hand #247178770233:  Hold'em No Limit ($0.05/$0.10 USD) - 2023/11/18 15:43:58 WET "
              "[2023/11/18 10:43:58 ET]",
              Kind::current, ""},
             {"PokerStars Game #35602019775:  Hold'em No Limit (\u20AC0.05/\u20AC0.10 EUR) - 2009/11/20 7:12:10 ET",
              Kind::current, ""},
             {"PokerStars Zoom Hand #103123601719:  Hold'em No Limit ($0.01/$0.02) - 2013/08/23 11:38:03 ET",
              Kind::current, ""},
             {"PokerStars Home Game Hand #74655014750: {chipchipchip}  Hold'em No Limit (1/2) - 2012/01/28 "
              "20:58:29 ET",
              Kind::current, ""},
             {"PokerStars Hand #99145265150: Tournament #734695129, $2.00+$0.50+$0.20 USD Hold'em No Limit - "
              "Level I (10/20) - 2013/05/26 19:59:48 WET [2013/05/26 14:59:48 ET]",
              Kind::current, ""},
             {"PokerStars Game #1: Tournament #2, Freeroll  Hold'em No Limit - Level I (10/20) - 2013/05/26 "
              "19:59:48 ET",
              Kind::current, ""},
             {"PokerStars Game #1: Tournament #35055742, Hold'em No Limit - Level II (15/30) - 2006/10/15 - "
              "05:35:27 (ET)",
              Kind::current, ""},
             {"PokerStars Game #1: Tournament #2, $5.00+$0.50 Hold'em No Limit - Level II (15/30) - 2007/10/15 - "
              "05:35:27 (ET)",
              Kind::current, ""},
             {"PokerStars Game #1:  Hold'em No Limit ($0.01/$0.02) - 2007/10/15 - 05:35:27 (ET)", Kind::current, ""},
             {"PokerStars Hand #1:  Mixed NLH/PLO (Hold'em No Limit, $0.10/$0.25 USD) - 2012/01/01 1:00:00 ET",
              Kind::current, ""},
             {"PokerStars Hand #1:  Mixed NLH/PLO (Omaha Pot Limit, $0.10/$0.25 USD) - 2012/01/01 1:00:00 ET",
              Kind::other_game, "Omaha Pot Limit"},
             {"PokerStars Hand #1:  Omaha Pot Limit ($0.10/$0.25 USD) - 2012/01/01 1:00:00 ET", Kind::other_game,
              "Omaha Pot Limit"},
             {"PokerStars Hand #1:  6+ Hold'em No Limit (Button Blind $5 - Ante $5 USD) - 2019/01/01 1:00:00 ET",
              Kind::other_game, "6+ Hold'em No Limit"},
             {"PokerStars Hand #1: Tournament #2, 250 SC 7 Card Stud Limit - Level I (10/20) - 2013/05/26 ET",
              Kind::other_game, "7 Card Stud Limit"},
             {"PokerStars Hand #2:  Hold'em No Limit ($1/$2)", Kind::none, ""},
             {"Poker Hand #1:  Hold'em No Limit ($1/$2) - 2020/01/01 ET", Kind::none, ""},
             {"", Kind::none, ""}}) {
        const HandHeader::Header header = HandHeader::classify(line);
        EXPECT_EQ(header.kind, kind) << line;
        EXPECT_EQ(header.game, game) << line;
        EXPECT_EQ(HandHeader::starts_hand(line), kind != Kind::none) << line;
    }
}
