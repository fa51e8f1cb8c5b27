#ifndef CORVALD_TEXAS_HOLDEM_POKERSTARS_HANDHEADER_H
#define CORVALD_TEXAS_HOLDEM_POKERSTARS_HANDHEADER_H

#include <string>
#include <string_view>

namespace poker::texas_holdem::pokerstars {

// Which grammar reads a hand, decided by its first line alone.
class HandHeader {
public:
    HandHeader() = delete;

    enum class Kind {
        older,   // the 2006-2008 game line with " - " before the time and "(ET)"
        current, // a hold'em header of the client's later text (cash, Zoom, Home Game, tournament)
        other_game, // a header of the later text for a game that is not hold'em
        none,       // no header at all
    };

    struct Header {
        Kind kind = Kind::none;
        // For other_game: the game as the header names it ("Omaha Pot Limit").
        std::string game;
    };

    static Header classify(std::string_view line);

    // True for any line that starts a hand: older, current or other game. A replay that
    // skips a faulty hand goes on at the next such line.
    static bool starts_hand(std::string_view line);
    static bool is_older(std::string_view line);
};

} // namespace poker::texas_holdem::pokerstars

#endif
