#ifndef CORVALD_TEXAS_HOLDEM_POKERSTARS_HANDRECORD_H
#define CORVALD_TEXAS_HOLDEM_POKERSTARS_HANDRECORD_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "poker/Card.h"

namespace poker::texas_holdem::pokerstars {

// An amount in the smallest unit the file writes: cents for real money, chips for
// tournaments and play money. Money is never held or summed in floating point.
using Money = std::int64_t;

// How a file writes its amounts, so that a message can quote an amount as the file did.
struct MoneyForm {
    // Text before the number: "$", "€" (UTF-8), "£", "Rs.\u00a0", "₹"; empty for chips.
    std::string sign;
    // True for real money: amounts carry cents. False for chips and play money.
    bool cents = false;
    // The header's three-letter code ("USD", "EUR"), empty when it has none.
    std::string currency;
};

// One hand of a hand-history file as its lines tell it, in file order, with nothing
// drawn and nothing simulated. Both grammars produce it; the replay feeds it to the hand
// driver, the statistics read it directly.
struct HandRecord {
    enum class Street : std::uint8_t { preflop, flop, turn, river, showdown };

    struct Seat {
        unsigned number = 0; // the seat number the file gives
        std::string name;
        Money stack = 0; // chips in front of the player when the hand began
        bool sitting_out = false;
        bool out_of_hand = false;
    };

    // One line that moves money or cards, in file order. `seat` indexes `seats`.
    struct Action {
        enum class Kind : std::uint8_t {
            ante,        // never counts toward a street's bet
            small_blind, // live small blind
            big_blind,   // live big blind (also a newcomer's extra big blind)
            dead_blind,  // a second small blind, or the small part of "small & big blinds"
            fold,
            check,
            call,     // amount = added by this action
            bet,      // amount = added
            raise,    // amount = added by this action; to = the street total after it
            uncalled, // amount returned to the player
            collect,  // amount collected from pot `pot` (0 main or only pot, n side pot n)
            shows,    // cards shown (showdown, after a fold, or uncontested)
            mucks,
            cash_out, // amount paid out by the cash-out line
        };
        Kind kind = Kind::fold;
        Street street = Street::preflop;
        std::size_t seat = 0;
        Money amount = 0;
        Money to = 0;
        bool all_in = false; // the player can put in no more: all-in, or at the cap
        unsigned pot = 0;
        unsigned run = 0;        // 0, or 1 for the second board of a hand run twice
        std::vector<Card> cards; // shown cards (shows, folds with cards)
        std::uint32_t line = 0;  // line number in the source
    };

    // Header.
    std::string hand_id;
    std::string game; // "Hold'em No Limit", "Hold'em Limit", ...
    bool tournament = false;
    // The header's two stakes: the blinds, or for fixed limit the small and the big bet.
    Money small_blind = 0;
    Money big_blind = 0;
    MoneyForm money;
    std::string date_time; // the header's first timestamp as written
    Money cap = 0;         // capped no-limit: the most one player may put in; else 0
    // Table line.
    std::string table_name;
    unsigned max_seats = 0;   // 0 when the line does not say
    unsigned button_seat = 0; // seat number of the button

    std::vector<Seat> seats; // in the order of the seat lines

    // The player named by "Dealt to", with his two cards.
    std::optional<std::size_t> hero;
    std::array<Card, 2> hero_cards{};

    std::vector<Action> actions;

    // The community cards of each run: boards[0] always, boards[1] when run twice.
    std::vector<std::vector<Card>> boards;
    bool run_twice = false;
    bool showdown = false; // a show-down line was read

    // Summary.
    Money total_pot = 0;
    Money rake = 0;
    std::vector<Money> side_pots; // main pot first, then side pots 1.., when listed

    // False for files (before 2008 and some later copies) without "Uncalled bet" lines,
    // whose pot counts matched money only.
    bool uncalled_lines = true;
    // "Hand cancelled": no cards, no pot line.
    bool cancelled = false;

    // Where the hand came from.
    std::string source; // file name, "-" for standard input
    std::uint32_t first_line = 0;
    std::uint32_t last_line = 0;
};

} // namespace poker::texas_holdem::pokerstars

#endif
