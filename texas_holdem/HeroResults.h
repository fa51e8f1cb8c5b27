#ifndef CORVALD_TEXAS_HOLDEM_HERORESULTS_H
#define CORVALD_TEXAS_HOLDEM_HERORESULTS_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "texas_holdem/AllInEquity.h"
#include "texas_holdem/pokerstars/HandRecord.h"

namespace poker::texas_holdem {

// One player's results hand by hand, in the order the hands were read, with the all-in
// adjusted result beside the actual one; written as a table (results.csv) and as a line
// chart of both running totals (results.svg). One small row per hand is all it keeps.
class HeroResults {
public:
    using Money = pokerstars::Money;

    struct Row {
        std::uint32_t file = 0;   // index into the caller's list of files
        std::uint32_t player = 0; // index into names()
        std::uint8_t unit = 0;    // index into units()
        bool known = false;       // false: the file does not tell who won
        std::string hand_id;
        std::array<char, 32> date_time{}; // the header's first time, cut to fit
        Money net = 0;                    // in the unit's smallest part (cent, chip)
        std::int64_t adjusted = 0;        // in hundredths of that part
    };

    // Adds `seat`'s result in `hand`, read from file number `file`; `equity` works out
    // the all-in adjustment.
    void add(const pokerstars::HandRecord& hand, std::size_t seat, std::uint32_t file,
             AllInEquity& equity);

    // Appends the rows of `other`, which come after these.
    void append(const HeroResults& other);

    // Keeps the rows of `name` only.
    void keep_only(const std::string& name);

    // The name with the most rows (the first in name order among equals); empty for none.
    std::string most_frequent_name() const;

    // The table: file, hand, date and time, unit, net won, running net won, running
    // all-in adjusted result (running totals per unit), one line per row.
    std::string csv(const std::vector<std::string>& files) const;

    // The line chart of the running totals of the unit with the most rows, titled with
    // `name`: a standalone SVG document of 900 x 500 pixels.
    std::string svg(const std::string& name) const;

    const std::vector<Row>& rows() const { return rows_; }
    const std::vector<std::string>& names() const { return names_; }
    const std::vector<std::string>& units() const { return units_; }

private:
    static std::uint32_t index_of(std::vector<std::string>& list, const std::string& text);

    std::vector<Row> rows_;
    std::vector<std::string> names_;
    std::vector<std::string> units_;
};

} // namespace poker::texas_holdem

#endif
