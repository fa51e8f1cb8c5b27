#include "support/ScreenSketch.h"

#include <iostream>

#include "console/Colour.h"
#include "console/Console.h"
#include "console/Cursor.h"
#include "poker/Card.h"

namespace console::test {

void draw_screen_sketch()
{
    using poker::Card;

    Cursor::position(0, 1);
    std::cout << "Hand #12";
    Cursor::position(12, 1);
    std::cout << "V1.0";
    Cursor::position(1, 3);
    std::cout << "Enter flop cards";
    Cursor::colour(colour::bright_red, 0, 16);

    Console& console = Console::current();
    for (int y = 7; y <= 22; ++y)
        console.fill_attribute(17, y, colour::table_green, 21);
    Card(8, Card::spades).print_at(18, 8);
    Card(10, Card::hearts).print_at(18, 13);
    Card(12, Card::diamonds).print_at(23, 8);
    Card(0, Card::clubs).print_at(23, 13);
    Card().print_at(23, 18);
    Card().print_at(28, 8);

    for (int opponents = 1; opponents <= 15; ++opponents) {
        Cursor::position(1, 23 + opponents);
        std::cout << opponents << "  0." << (97 - 6 * opponents);
        Cursor::colour(opponents == 3 ? colour::bright_yellow : colour::white, 0, 7);
    }

    Cursor::position(18, 41);
    std::cout << "20";
    Cursor::colour(colour::dark_green, 0, 2);
    for (int seat = 1; seat <= 4; ++seat) {
        Cursor::position(1, 42 + seat);
        std::cout << 'P' << seat << "   " << 10 * seat;
        if (seat == 2) {
            Cursor::position(6, 44);
            Cursor::colour(colour::bright_red, 0, 2);
        }
    }

    // Characters and colours the table does not use, for the mapping's sake.
    Cursor::position(40, 50);
    std::cout << "\xE0\xE1\xB0\xDB\x1B\x7F\x01\x81";
    Cursor::colour(0x0B, 0x90, 4);
    Cursor::position(57, 59);
    std::cout << '\xC5';
    Cursor::colour(0x0D, 0x50, 1);

    Cursor::position(1, 4);
    std::cout << ' ';
}

} // namespace console::test
