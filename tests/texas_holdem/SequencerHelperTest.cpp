#include "texas_holdem/SequencerHelper.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "poker/Card.h"
#include "texas_holdem/Game.h"

using poker::Card;
using poker::texas_holdem::Game;
using poker::texas_holdem::SequencerHelper;

namespace {

const Card sentinel(5, Card::clubs);

} // namespace

TEST(CardNotation, OnlyTheThirteenLowerCaseValueCharactersHaveValues)
{
    const std::string values = "23456789tjqka";
    for (int c = -128; c < 128; ++c) {
        const auto ch = static_cast<char>(c);
        const auto at = values.find(ch);
        const int expected = ch != '\0' && at != std::string::npos ? static_cast<int>(at) : -1;
        EXPECT_EQ(SequencerHelper::value_from_char(ch), expected) << "character " << c;
    }
}

TEST(CardNotation, OnlyTheFourLowerCaseSuitCharactersHaveSuits)
{
    const std::string suits = "shcd";  // in the order of Card::Suit
    for (int c = -128; c < 128; ++c) {
        const auto ch = static_cast<char>(c);
        const auto at = suits.find(ch);
        const int expected = ch != '\0' && at != std::string::npos ? static_cast<int>(at) : -1;
        EXPECT_EQ(SequencerHelper::suit_from_char(ch), expected) << "character " << c;
    }
}

TEST(CardNotation, OneCardIsWrittenOnlyWhenBothCharactersAreNotation)
{
    Card card = sentinel;
    EXPECT_TRUE(SequencerHelper::parse('t', 'd', card));
    EXPECT_EQ(card, Card(8, Card::diamonds));

    const std::vector<std::pair<char, char>> refused = {{'T', 'd'}, {'t', 'D'}, {'1', 's'},
                                                        {'0', 's'}, {'a', 'x'}, {' ', 'h'}};
    for (const auto& [value, suit] : refused) {
        card = sentinel;
        EXPECT_FALSE(SequencerHelper::parse(value, suit, card)) << value << suit;
        EXPECT_EQ(card, sentinel) << value << suit;
    }
}

TEST(CardNotation, ListIsTheCardsWrittenOneAfterAnother)
{
    std::vector<Card> two(2);
    EXPECT_TRUE(SequencerHelper::parse("ahkd", two));
    EXPECT_EQ(two, (std::vector<Card>{Card(12, Card::hearts), Card(11, Card::diamonds)}));

    std::vector<Card> three(3);
    EXPECT_TRUE(SequencerHelper::parse("tc9c2d", three));
    EXPECT_EQ(three,
              (std::vector<Card>{Card(8, Card::clubs), Card(7, Card::clubs), Card(0, Card::diamonds)}));

    // Nothing checks for repeats.
    EXPECT_TRUE(SequencerHelper::parse("ahah", two));
    EXPECT_EQ(two[0], two[1]);

    std::vector<Card> none;
    EXPECT_TRUE(SequencerHelper::parse("", none));
    EXPECT_TRUE(none.empty());
}

TEST(CardNotation, ListOfTheWrongLengthLeavesEveryCardAlone)
{
    for (const std::string text : {"ah", "ahkdq", "ahkdqsjs", "", "ah kd", "AhKdQ"}) {
        std::vector<Card> three(3, sentinel);
        EXPECT_FALSE(SequencerHelper::parse(text, three)) << '"' << text << '"';
        EXPECT_EQ(three, std::vector<Card>(3, sentinel)) << '"' << text << '"';
    }
    std::vector<Card> one(1, sentinel);
    EXPECT_FALSE(SequencerHelper::parse("10h", one));
    EXPECT_EQ(one[0], sentinel);
}

TEST(CardNotation, BadCardStopsTheListWithTheCardsBeforeItReplaced)
{
    std::vector<Card> two(2, sentinel);
    EXPECT_FALSE(SequencerHelper::parse("ahzz", two));
    EXPECT_EQ(two[0], Card(12, Card::hearts));
    EXPECT_EQ(two[1], sentinel);

    std::vector<Card> three(3, sentinel);
    EXPECT_FALSE(SequencerHelper::parse("AhKdQs", three));
    EXPECT_EQ(three, std::vector<Card>(3, sentinel));

    // The blank lands in a value place: "ah kd" is 5 characters, "ah kdx" 6.
    EXPECT_FALSE(SequencerHelper::parse("ah kdx", three));
    EXPECT_EQ(three[0], Card(12, Card::hearts));
    EXPECT_EQ(three[1], sentinel);
}

TEST(RoundNames, EveryRoundAndAnythingElse)
{
    EXPECT_EQ(SequencerHelper::round_name(Game::hole), "hole");
    EXPECT_EQ(SequencerHelper::round_name(Game::flop), "flop");
    EXPECT_EQ(SequencerHelper::round_name(Game::turn), "turn");
    EXPECT_EQ(SequencerHelper::round_name(Game::river), "river");
    EXPECT_EQ(SequencerHelper::round_name(Game::showdown), "showdown");
    EXPECT_EQ(SequencerHelper::round_name(static_cast<Game::Round>(5)), "UNKNOWN ROUND");
    EXPECT_EQ(SequencerHelper::round_name(static_cast<Game::Round>(-1)), "UNKNOWN ROUND");
}
