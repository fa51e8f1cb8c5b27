#include "texas_holdem/SequencerHelper.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "poker/Card.h"

using poker::Card;
using poker::texas_holdem::SequencerHelper;

const std::string values = "23456789tjqka";
const std::string suits = "shcd"; // in the order of Card::Suit
const Card sentinel(5, Card::clubs);

// The files write the value's letter upper case and the digits and suits alike.
TEST(CardNotation, OnlyTheLowerCaseValueAndSuitCharactersHaveMeanings)
{
    for (int c = -128; c < 128; ++c) {
        const auto ch = static_cast<char>(c);
        const auto index = [](char in, const std::string& chars) {
            const auto at = chars.find(in);
            return in != '\0' && at != std::string::npos ? static_cast<int>(at) : -1;
        };
        EXPECT_EQ(SequencerHelper::value_from_char(ch), index(ch, values)) << "character " << c;
        EXPECT_EQ(SequencerHelper::suit_from_char(ch), index(ch, suits)) << "character " << c;
        Card written;
        const char as_typed = ch >= 'A' && ch <= 'Z'   ? static_cast<char>(ch - 'A' + 'a')
                              : ch >= 'a' && ch <= 'z' ? '\0'
                                                       : ch;
        EXPECT_EQ(SequencerHelper::parse_written(ch, 'd', written) ? written.value : -1, index(as_typed, values))
            << "character " << c;
    }
    // Writing and reading are each other's inverse over the whole deck.
    for (unsigned i = 0; i < Card::no_cards; ++i) {
        std::vector<Card> read(1);
        ASSERT_TRUE(SequencerHelper::parse(SequencerHelper::notation({Card::from_index(i)}), read));
        EXPECT_EQ(read[0], Card::from_index(i));
    }
}

// A text of the wrong length touches no card; a card is written only when both its
// characters are notation, and a bad card stops the list with the cards before it already
// replaced. Nothing checks for repeats.
TEST(CardNotation, ListIsExactlyTheCardsWrittenOneAfterAnother)
{
    struct Row {
        std::string text;
        std::size_t cards;
        bool parsed;
        std::string after;
    };
    // The cards in notation, "??" for a card still the sentinel.
    const auto notation = [](const std::vector<Card>& cards) {
        std::string text;
        for (const Card& card : cards)
            text += card == sentinel ? std::string("??") : std::string{values.at(card.value), suits.at(card.suit)};
        return text;
    };
    const Row rows[] = {
        {"ahkd", 2, true, "ahkd"},  {"tc9c2d", 3, true, "tc9c2d"},  {"ahah", 2, true, "ahah"},
        {"", 0, true, ""},          {"ah", 3, false, "??????"},     {"ahkdqsjs", 3, false, "??????"},
        {"10h", 1, false, "??"},    {"ahzz", 2, false, "ah??"},     {"ahax", 2, false, "ah??"},
        {"ahTd", 2, false, "ah??"}, {"AhKdQs", 3, false, "??????"}, {"ah kdx", 3, false, "ah????"},
    };
    for (const Row& row : rows) {
        std::vector<Card> cards(row.cards, sentinel);
        EXPECT_EQ(SequencerHelper::parse(row.text, cards), row.parsed) << '"' << row.text << '"';
        EXPECT_EQ(notation(cards), row.after) << '"' << row.text << '"';
    }
}
