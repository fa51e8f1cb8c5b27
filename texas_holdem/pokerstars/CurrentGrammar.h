#ifndef CORVALD_TEXAS_HOLDEM_POKERSTARS_CURRENTGRAMMAR_H
#define CORVALD_TEXAS_HOLDEM_POKERSTARS_CURRENTGRAMMAR_H

#include <cstdint>
#include <string_view>
#include <vector>

#include "texas_holdem/pokerstars/HandRecord.h"
#include "texas_holdem/pokerstars/PotLedger.h"

namespace poker::texas_holdem::pokerstars {

// The grammar of the hand-history text the PokerStars client has written since 2008 (and
// of the 2005-2007 tournament and cents-stake hands the older grammar does not read). It
// is fed the trimmed, non-empty lines of one hand and fills a HandRecord; a line it does
// not know, or money that does not add up, throws HandHistoryError naming what was
// expected and the line. Only chat and table-attendance lines are passed over.
//
// Use: begin() with the header line, read() for every further line, end() after the last
// line of the hand (before the next header). The record stays the caller's; the grammar
// keeps a pointer to it from begin() to end().
class CurrentGrammar {
public:
    // More seat lines than this are not a hold'em table.
    static constexpr std::size_t max_seats = 10;

    // True when `line` starts like a header of this or the older form ("PokerStars Hand #",
    // "PokerStars Game #", "PokerStars Zoom Hand #", "PokerStars Home Game Hand #" ...).
    static bool is_header(std::string_view line);
    // True for a chat or attendance line ("<name> said, \"...\"", "<name> sits out",
    // "<name> joins the table at seat #3" ...), whoever it names.
    static bool is_status_line(std::string_view line);
    // Where a header starts inside `line` after its first character (a hand cut off
    // mid-line with the next one glued on), npos when none does.
    static std::size_t glued_header(std::string_view line);

    void begin(std::string_view header, std::uint32_t number, HandRecord& record);
    void read(std::string_view line, std::uint32_t number);
    // The hand is over: throws when it stopped before its summary or its money does not
    // add up (at the pot line).
    void end();

private:
    enum class Phase : std::uint8_t { table, seats, forced_bets, betting, pot, summary };

    // read() without the look for a glued header, which only a failed line needs.
    void read_line(std::string_view line);
    void read_header(std::string_view line);
    void read_stakes(std::string_view stakes, bool tournament);
    void read_table(std::string_view line);
    bool read_seat(std::string_view line);
    void start_betting();
    bool read_street(std::string_view line);
    bool read_player_line(std::string_view line);
    void read_move(std::size_t seat, std::string_view rest);
    void read_post(std::size_t seat, std::string_view rest);
    bool read_player_status(std::size_t seat, std::string_view rest);
    void read_uncalled(std::string_view rest);
    void read_pot(std::string_view line);
    bool read_summary_line(std::string_view line);
    void read_summary_seat(std::string_view line);

    // The seat whose name starts `line` and is followed by one of `after`; npos if none.
    std::size_t seat_named_at_start(std::string_view line, std::string_view after) const;
    Money amount(std::string_view text, const char* what) const;
    Money money_amount(std::string_view text, const char* what) const;
    Money live_big_blind() const;
    HandRecord::Action& add_action(HandRecord::Action::Kind kind, std::size_t seat);
    [[noreturn]] void fail(const std::string& message) const;

    HandRecord* hand = nullptr;
    PotLedger ledger;
    Phase phase = Phase::table;
    HandRecord::Street street = HandRecord::Street::preflop;
    unsigned run = 0;
    std::uint32_t line_number = 0;
    std::uint32_t pot_line = 0;
    bool small_blind_posted = false;
    // The header has the 2005-2007 time form "2007/10/15 - 05:35:27 (ET)".
    bool old_date_form = false;
    bool any_move = false;
    // Seat indices, longest name first, for matching names at the start of a line.
    std::vector<std::size_t> by_length;
    std::vector<Money> stacks;
};

} // namespace poker::texas_holdem::pokerstars

#endif
