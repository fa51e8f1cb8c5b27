#ifndef CORVALD_TEXAS_HOLDEM_POKERSTARS_MONEYTEXT_H
#define CORVALD_TEXAS_HOLDEM_POKERSTARS_MONEYTEXT_H

#include <array>
#include <string>
#include <string_view>

#include "texas_holdem/pokerstars/HandRecord.h"

namespace poker::texas_holdem::pokerstars {

// Amounts as hand-history files write them, and the short form the table's stake cells
// show. Every amount is a whole number of the file's smallest unit (Money): cents for
// real money, chips otherwise; nothing here goes through floating point.
class MoneyText {
public:
    // Characters of the table's stake cells.
    static constexpr std::size_t cell_width = 4;
    // What a cell shows for an amount it cannot hold (negative, or a billion and more).
    static constexpr std::string_view unreadable = "XXXX";
    // The largest number of digits an amount may have; keeps every sum far from overflow.
    static constexpr std::size_t max_digits = 15;
    // The compact form holds amounts below this many whole units.
    static constexpr float billion_units = 1e9f;

    // Reads the currency sign at the start of `text` ("$", "€", "£", "Rs." and a no-break
    // space, "₹", or the Windows-1252 bytes of the euro and pound signs) into
    // `form.sign` and returns its length; 0 and an empty sign for bare chips.
    static std::size_t read_sign(std::string_view text, MoneyForm& form);

    // Reads a whole amount written as the file writes them: `form.sign`, then digits,
    // then, when `form.cents`, optionally a point and one or two decimals ("$1", "$0.05",
    // "$133.5"). False, with `amount` unchanged, for anything else.
    static bool parse(std::string_view text, const MoneyForm& form, Money& amount);

    // `amount` as the file writes it: sign, whole units, and two decimals only when the
    // cents are not zero ("$12.40", "$3", "1500").
    static std::string format(Money amount, const MoneyForm& form);

    // The compact form, right-aligned in cell_width characters (see the README):
    // " .05", "1.25", "12.5", " 125", "1234", " 18k", "999k", "1.5M", " 15M", "999M".
    // `cents` says whether `amount` counts cents (true) or whole units.
    static std::array<char, cell_width + 1> compact(Money amount, bool cents);
};

} // namespace poker::texas_holdem::pokerstars

#endif
