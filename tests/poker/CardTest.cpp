#include "poker/Card.h"

#include <gtest/gtest.h>

#include "console/Colour.h"
#include "console/ScopedConsole.h"

using poker::Card;

TEST(Card, DefaultIsTheUnknownCard)
{
    Card card;
    EXPECT_EQ(card.value, -1);
    EXPECT_EQ(card.suit, -1);
    EXPECT_TRUE(card.is_unknown());
}

TEST(Card, IndexIsValueTimesFourPlusSuit)
{
    EXPECT_EQ(Card::from_index(13), Card(3, Card::hearts));
    EXPECT_EQ(Card::from_index(0), Card(0, Card::spades));
    EXPECT_EQ(Card::from_index(51), Card(12, Card::diamonds));
    EXPECT_EQ(Card(12, Card::diamonds).index(), 51u);
}

TEST(Card, ValueNamesAndSuitGlyphs)
{
    EXPECT_STREQ(Card::value_name(-1), "0");
    EXPECT_STREQ(Card::value_name(0), "2");
    EXPECT_STREQ(Card::value_name(7), "9");
    EXPECT_STREQ(Card::value_name(8), "10");
    EXPECT_STREQ(Card::value_name(9), "J");
    EXPECT_STREQ(Card::value_name(12), "A");
    // The shared buffer: a one-character name after "10" must not keep the '0'.
    Card::value_name(8);
    EXPECT_STREQ(Card::value_name(11), "K");

    EXPECT_EQ(Card::suit_char(Card::spades), 6);
    EXPECT_EQ(Card::suit_char(Card::hearts), 3);
    EXPECT_EQ(Card::suit_char(Card::clubs), 5);
    EXPECT_EQ(Card::suit_char(Card::diamonds), 4);
    EXPECT_EQ(Card::suit_char(static_cast<Card::Suit>(-1)), 'X');
}

TEST(CardDrawing, TenOfSpadesEndsItsValueInTheLastColumn)
{
    console::ScopedConsole scope;
    Card(8, Card::spades).print_at(18, 8);
    const auto& s = scope.screen;
    EXPECT_EQ(s.text(18, 8, 4), "10  ");
    EXPECT_EQ(s.cell(18, 9).ch, 6);
    EXPECT_EQ(s.cell(21, 10).ch, 6);
    EXPECT_EQ(s.text(18, 11, 4), "  10");
    for (int y = 8; y < 12; ++y)
        for (int x = 18; x < 22; ++x)
            EXPECT_EQ(s.cell(x, y).attribute, console::colour::card_face) << x << "," << y;
    EXPECT_EQ(s.cell(22, 8).attribute, console::colour::white);
}

TEST(CardDrawing, RedSuitColoursWrittenCellsOnly)
{
    console::ScopedConsole scope;
    Card(10, Card::hearts).print_at(0, 0);
    const auto& s = scope.screen;
    EXPECT_EQ(s.cell(0, 0).ch, 'Q');
    EXPECT_EQ(s.cell(0, 0).attribute, 0xFC);
    EXPECT_EQ(s.cell(0, 1).attribute, 0xFC);
    EXPECT_EQ(s.cell(3, 2).attribute, 0xFC);
    EXPECT_EQ(s.cell(3, 3).ch, 'Q');
    EXPECT_EQ(s.cell(3, 3).attribute, 0xFC);
    EXPECT_EQ(s.cell(1, 0).attribute, 0xF0);
    EXPECT_EQ(s.cell(1, 0).ch, ' ');
    EXPECT_EQ(s.cell(2, 3).attribute, 0xF0);
}

TEST(CardDrawing, UnknownCardShowsItsBack)
{
    console::ScopedConsole scope;
    Card().print_at(23, 13);
    const auto& s = scope.screen;
    EXPECT_EQ(s.text(23, 13, 4), "\xDA\xC4\xC4\xBF");
    EXPECT_EQ(s.text(23, 14, 4), "\xB3\x06\x03\xB3");
    EXPECT_EQ(s.text(23, 15, 4), "\xB3\x05\x04\xB3");
    EXPECT_EQ(s.text(23, 16, 4), "\xC0\xC4\xC4\xD9");
    for (int y = 13; y < 17; ++y)
        for (int x = 23; x < 27; ++x)
            EXPECT_EQ(s.cell(x, y).attribute, 0x40);
}

TEST(CardDrawing, DrawingOffTheSurfaceIsDropped)
{
    console::ScopedConsole scope;
    Card(0, Card::clubs).print_at(56, 58);
    EXPECT_EQ(scope.screen.cell(56, 58).ch, '2');
    EXPECT_EQ(scope.screen.cell(57, 59).attribute, 0xF0);
    // A run that starts off the surface is dropped whole, as the console drops it.
    Card().print_at(-2, -2);
    EXPECT_EQ(scope.screen.cell(0, 0).attribute, console::colour::white);
    EXPECT_EQ(scope.screen.cell(1, 1).ch, ' ');
}
