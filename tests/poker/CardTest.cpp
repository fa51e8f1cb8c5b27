#include "poker/Card.h"

#include <array>
#include <string>

#include <gtest/gtest.h>

#include "console/Colour.h"
#include "support/ScopedConsole.h"

using poker::Card;
namespace colour = console::colour;

// One shared buffer: a one-character name after "10" must not keep the '0'.
TEST(Card, ValueNamesFromUnknownToAce)
{
    std::string names;
    for (int value = -1; value <= 12; ++value)
        names += std::string(Card::value_name(value)) + ' ';
    EXPECT_EQ(names, "0 2 3 4 5 6 7 8 9 10 J Q K A ");
}

// Each card's 4 x 4 block: the characters row by row, the attribute `written` on cells
// holding a character and `blank` on the others.
TEST(CardDrawing, FacesAndTheBackCellByCell)
{
    const struct {
        Card card;
        std::array<std::string, 4> rows;
        unsigned short written, blank;
    } cards[] = {
        {Card(8, Card::spades), {"10  ", "\x06   ", "   \x06", "  10"}, colour::card_face, colour::card_face},
        {Card(10, Card::hearts), {"Q   ", "\x03   ", "   \x03", "   Q"}, colour::card_face_red, colour::card_face},
        {Card(),
         {"\xDA\xC4\xC4\xBF", "\xB3\x06\x03\xB3", "\xB3\x05\x04\xB3", "\xC0\xC4\xC4\xD9"},
         colour::card_back,
         colour::card_back}};
    for (const auto& [card, rows, written, blank] : cards) {
        SCOPED_TRACE(card.value);
        console::ScopedConsole scope;
        card.print_at(18, 8);
        for (int y = 0; y < 4; ++y) {
            EXPECT_EQ(scope.screen.text(18, 8 + y, 4), rows[y]) << "row " << y;
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(scope.screen.cell(18 + x, 8 + y).attribute, rows[y][x] == ' ' ? blank : written)
                    << x << "," << y;
        }
        EXPECT_EQ(scope.screen.cell(22, 8), console::Cell{}) << "drawn past the block";
    }
}
