#ifndef CORVALD_POKER_CARD_H
#define CORVALD_POKER_CARD_H

namespace poker {

// One playing card, or the unknown card (not yet seen): value -1 and suit -1.
// Values run 0 to 12 for two to ace; the ace is high here (the ranking also
// lets it play low in the five-high straight).
class Card {
public:
    // Fixed underlying type: the unknown card's suit -1 is a valid value of it.
    enum Suit : int { spades = 0, hearts = 1, clubs = 2, diamonds = 3 };

    static constexpr int unknown = -1;
    static constexpr int no_values = 13;
    static constexpr int no_suits = 4;
    static constexpr int no_cards = no_values * no_suits;

    constexpr Card() : value(unknown), suit(static_cast<Suit>(unknown)) {}
    constexpr Card(int value, Suit suit) : value(value), suit(suit) {}

    // The card with the deck's index value * 4 + suit (0 is the two of spades,
    // 51 the ace of diamonds).
    static constexpr Card from_index(unsigned index)
    {
        return Card(static_cast<int>(index / no_suits), static_cast<Suit>(index % no_suits));
    }
    constexpr unsigned index() const { return static_cast<unsigned>(value * no_suits + suit); }
    constexpr bool is_unknown() const { return suit == unknown; }

    bool operator==(const Card& other) const { return value == other.value && suit == other.suit; }
    bool operator!=(const Card& other) const { return !(*this == other); }

    // The code page 437 glyph of a suit (spade 6, heart 3, club 5, diamond 4); 'X' otherwise.
    static char suit_char(Suit suit);

    // The text of a value: "2" to "9", "10", "J", "Q", "K", "A"; -1 gives "0".
    // The text lives in one static buffer that the next call overwrites.
    static const char* value_name(int value);

    // Paints the card as a 4 x 4 block of cells with its top-left cell at (x, y):
    // the face, or the back for the unknown card. Works on the console's cells
    // directly and leaves the text cursor where it is.
    void print_at(int x, int y) const;

    // Sets the 4 x 4 cells from (x, y) to `attribute` and blanks them.
    static void print_background_at(void* console, int x, int y, unsigned short attribute);

    // Sets `length` cells from (x, y) to foreground | background and writes the first
    // `length` characters of `text` into them.
    static void print_string_at(void* console, int x, int y, const char* text, int length,
                                unsigned short foreground, unsigned short background);

    int value;
    Suit suit;
};

} // namespace poker

#endif
