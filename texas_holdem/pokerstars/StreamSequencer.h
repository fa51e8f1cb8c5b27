#ifndef CORVALD_TEXAS_HOLDEM_POKERSTARS_STREAMSEQUENCER_H
#define CORVALD_TEXAS_HOLDEM_POKERSTARS_STREAMSEQUENCER_H

#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include <boost/regex.hpp>

#include "poker/Card.h"
#include "texas_holdem/Game.h"
#include "texas_holdem/GameHistory.h"
#include "texas_holdem/Sequencer.h"

namespace poker::texas_holdem::pokerstars {

// The input source that replays PokerStars hand-history text: every event the hand
// driver asks for is read from the next lines of the stream and checked against fixed
// patterns, and at the end of each hand the pot line is checked against the model's pot.
//
// Reading is a one-line look-ahead: peek_line buffers a trimmed line (dropping attendance
// and chat lines on the way) and echoes it on status row 2; read_line consumes it. Row 1
// names the event being read, row 3 shows the one fatal error. A line that does not fit
// ends the replay through error(), which never returns.
//
// The driver's request_new_game(max_players) stays abstract: a replay front end decides
// how a hand starts (and when the input is over) and calls request_new_game() for it.
class StreamSequencer : public Sequencer {
public:
    // What error() calls once the message is on the screen, before it waits for the space
    // bar and ends the process. The replay writes its session report here; a test harness
    // may leave error() by throwing from it (the program itself never does).
    using ErrorHook = std::function<void(const std::string& message)>;

    // Lines longer than this are not hand-history lines: the reader keeps only their start
    // (see overlong_marker) so that no pattern can match them, and memory stays bounded.
    static constexpr std::size_t max_line_length = 4096;

    // Reads `in`, which must outlive the sequencer. Nothing is read yet.
    explicit StreamSequencer(std::istream& in);

    using Sequencer::request_new_game;
    // Game line, table line and seat lines; the seat after the button plays first.
    virtual NewGame request_new_game();
    float request_blind(std::string player) override;
    std::vector<Card> request_cards(Game::Round round) override;
    float request_move(std::string player) override;
    // Checks the end of the hand against the pot line and moves on to the next game line.
    void notify_end_game(const GameHistory& history) override;

    // The line reader.
    std::string peek_line();
    std::string read_line();
    bool skip_attendance_line(std::string line);

    // Returns when the names are equal, stops with "Name mismatch" otherwise.
    void name_check(std::string found, std::string expected);

    // The status rows.
    void request(std::string what);
    [[noreturn]] void error(std::string message);
    // Blocks until the space bar is pressed; false (at once) when no keyboard can be read.
    bool wait_key();
    void clear_line(int row);

    // The line parsers; each stops through error() when its line does not fit.
    void parse_header1(std::string line, std::string& game_id);
    void parse_header2(std::string line, std::string& table_name, unsigned& button);
    void parse_seats(std::vector<std::string>& players, unsigned button);
    void parse_blind(std::string line, std::string& player, float& amount);
    void parse_move(std::string line, std::string& player, Sequencer::Move& move);
    void parse_cards(std::string line, Game::Round& round, std::vector<Card>& cards);
    void parse_pot(std::string line, float& pot, float& rake);

    // True when no line is buffered and the stream has nothing more to give.
    bool input_exhausted() const;
    // How many lines have been taken from the stream, attendance lines and reads at the
    // end of the input included; while a line is buffered, that line's number.
    std::uint32_t lines_read() const { return line_number; }

    // The hook error() calls; empty by default.
    void set_error_hook(ErrorHook hook) { error_hook = std::move(hook); }

    // The end check of the last hand that reached it: the pot its text must show and
    // whether it had to go on with the showdown line.
    float expected_pot = 0;
    bool showdown_expected = false;

    static constexpr int request_row = 1;
    static constexpr int found_row = 2;
    static constexpr int error_row = 3;

protected:
    // Destroyed only as the derived replay source; never through a Sequencer.
    ~StreamSequencer() = default;

    // The wait after the replay's last word on the status rows: for the space bar, then
    // the user's own screen back. True when that word must also go to standard error:
    // nobody could read it (no keyboard), or the screen it stood on is gone.
    bool wait_for_last_word();

private:
    // Status row 1: "Request: " what subject.
    void show_request(std::string_view what, std::string_view subject = {});
    // Writes `status` from the start of `row`, which clear_line has just blanked.
    void write_status(int row);
    // skip_attendance_line without the copy: the cheap test on the line's ending, then
    // the attendance pattern.
    static bool is_attendance_line(const std::string& candidate);
    static bool may_be_attendance_line(const std::string& candidate);
    // The buffered line, read and echoed as by peek_line, without a copy.
    const std::string& buffered_line();
    // Reads one physical line into `line` (see the reader's notes in the source).
    void fetch_line();

    std::istream& stream;
    std::string line;
    std::uint32_t line_number = 0;
    // The buffered line has been checked and is not an attendance line, so repeated peeks
    // of the same line need not match it again.
    bool line_kept = false;
    // Row 2 still shows the echo of the buffered line.
    bool echo_shown = false;
    // The text of the last status row written, kept to reuse its storage.
    std::string status;
    // The capture groups of the line being parsed; one set serves every parser, so its
    // storage is reused from line to line.
    boost::smatch groups;
    ErrorHook error_hook;
};

} // namespace poker::texas_holdem::pokerstars

#endif
