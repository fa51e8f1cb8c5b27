#include "poker/Card.h"

#include "console/Colour.h"
#include "console/Console.h"

namespace poker {

namespace {

constexpr int card_size = 4;

// Code page 437 glyphs: suits and the single box lines of the card back.
constexpr char glyph_heart = 0x03;
constexpr char glyph_diamond = 0x04;
constexpr char glyph_club = 0x05;
constexpr char glyph_spade = 0x06;

const char card_back_rows[card_size][card_size] = {
    {'\xDA', '\xC4', '\xC4', '\xBF'},
    {'\xB3', glyph_spade, glyph_heart, '\xB3'},
    {'\xB3', glyph_club, glyph_diamond, '\xB3'},
    {'\xC0', '\xC4', '\xC4', '\xD9'},
};

console::Console& console_of(void* handle)
{
    return *static_cast<console::Console*>(handle);
}

} // namespace

char Card::suit_char(Suit suit)
{
    switch (suit) {
    case spades: return glyph_spade;
    case hearts: return glyph_heart;
    case clubs: return glyph_club;
    case diamonds: return glyph_diamond;
    }
    return 'X';
}

const char* Card::value_name(int value)
{
    static char name[3] = {0, 0, 0};
    static const char faces[] = "JQKA";
    name[1] = 0;
    if (value >= 0 && value <= 7) {
        name[0] = static_cast<char>('2' + value);
    } else if (value == 8) {
        name[0] = '1';
        name[1] = '0';
    } else if (value >= 9 && value <= 12) {
        name[0] = faces[value - 9];
    } else {
        // -1 (unknown) and anything else out of range reads "0".
        name[0] = '0';
    }
    return name;
}

void Card::print_at(int x, int y) const
{
    void* handle = console::Console::handle();
    if (is_unknown()) {
        print_background_at(handle, x, y, console::colour::card_back);
        for (int row = 0; row < card_size; ++row)
            print_string_at(handle, x, y + row, card_back_rows[row], card_size,
                            console::colour::card_back, 0);
        return;
    }

    print_background_at(handle, x, y, console::colour::card_face);
    const bool red = suit == hearts || suit == diamonds;
    const unsigned short foreground = red ? console::colour::bright_red : 0;
    const unsigned short background = console::colour::card_face;

    // Copy the name: value_name's buffer is shared with every other caller.
    const char* name = value_name(value);
    const char text[3] = {name[0], name[1], 0};
    const int text_length = text[1] ? 2 : 1;
    const char glyph[1] = {suit_char(suit)};

    // Value and suit in the top-left corner, mirrored in the bottom-right one; the value
    // text ends in the block's last column, so the ten starts one cell further left.
    print_string_at(handle, x, y, text, text_length, foreground, background);
    print_string_at(handle, x, y + 1, glyph, 1, foreground, background);
    print_string_at(handle, x + 3, y + 2, glyph, 1, foreground, background);
    print_string_at(handle, x + card_size - text_length, y + 3, text, text_length, foreground,
                    background);
}

void Card::print_background_at(void* handle, int x, int y, unsigned short attribute)
{
    console::Console& console = console_of(handle);
    for (int row = 0; row < card_size; ++row) {
        console.fill_attribute(x, y + row, attribute, card_size);
        console.fill_character(x, y + row, ' ', card_size);
    }
}

void Card::print_string_at(void* handle, int x, int y, const char* text, int length,
                           unsigned short foreground, unsigned short background)
{
    if (length <= 0)
        return;
    console::Console& console = console_of(handle);
    const auto count = static_cast<unsigned>(length);
    console.fill_attribute(x, y, static_cast<unsigned short>(foreground | background), count);
    console.write_characters(x, y, text, count);
}

} // namespace poker
