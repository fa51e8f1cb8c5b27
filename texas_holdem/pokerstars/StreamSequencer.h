#ifndef CORVALD_TEXAS_HOLDEM_POKERSTARS_STREAMSEQUENCER_H
#define CORVALD_TEXAS_HOLDEM_POKERSTARS_STREAMSEQUENCER_H

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "poker/Card.h"
#include "texas_holdem/Game.h"
#include "texas_holdem/GameHistory.h"
#include "texas_holdem/Sequencer.h"
#include "texas_holdem/pokerstars/HandHistoryError.h"
#include "texas_holdem/pokerstars/LineReader.h"
#include "texas_holdem/pokerstars/OlderGrammar.h"
#include "texas_holdem/pokerstars/StatusRows.h"

namespace poker::texas_holdem::pokerstars {

// The input source that replays hand-history text of the older client: the line reader,
// the older grammar and the status rows put together behind the Sequencer operations.
// Row 1 names the event being read, row 2 echoes the last line read with its number,
// row 3 shows the fault that stopped the replay. A line that does not fit ends the event
// with a HandHistoryError (message and line number), shown on row 3 on its way out to
// the command.
//
// The driver's request_new_game(max_players) stays abstract: a replay front end decides
// how a hand starts (and when the input is over) and calls request_new_game() for it.
class StreamSequencer : public Sequencer {
public:
    // Lines longer than this keep only their start, so that no pattern can match them.
    static constexpr std::size_t max_line_length = LineReader::max_line_length;
    static constexpr std::size_t max_players = OlderGrammar::max_players;

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

    // The line reader as the older client's replay knew it: a read at the end of the
    // input gives an empty line and still counts as a line taken.
    std::string peek_line();
    std::string read_line();
    bool skip_attendance_line(std::string line);

    // Returns when the names are equal, throws "Name mismatch" otherwise.
    void name_check(std::string found, std::string expected);

    // The status rows.
    void request(std::string what);
    // Shows `message` on row 3 and throws it with the current line's number.
    [[noreturn]] void error(std::string message);
    // Blocks until the space bar is pressed; false (at once) when no keyboard can be read.
    bool wait_key();
    void clear_line(int row);

    // The line parsers of the older text; each throws when its line does not fit.
    void parse_header1(std::string line, std::string& game_id);
    void parse_header2(std::string line, std::string& table_name, unsigned& button);
    void parse_seats(std::vector<std::string>& players, unsigned button);
    void parse_blind(std::string line, std::string& player, float& amount);
    void parse_move(std::string line, std::string& player, Sequencer::Move& move);
    void parse_cards(std::string line, Game::Round& round, std::vector<Card>& cards);
    void parse_pot(std::string line, float& pot, float& rake);

    // True when the input holds no further line.
    bool input_exhausted();
    // How many lines have been taken from the stream, attendance lines and reads at the
    // end of the input included; while a line is buffered, that line's number.
    std::uint32_t lines_read() const { return reader.line_number() + reads_past_end; }

    // The end check of the last hand that reached it: the pot its text must show and
    // whether it had to go on with the showdown line.
    float expected_pot = 0;
    bool showdown_expected = false;

    static constexpr int request_row = StatusRows::request_row;
    static constexpr int found_row = StatusRows::found_row;
    static constexpr int error_row = StatusRows::error_row;

    // The wait after the replay's last word on the status rows: for the space bar, then
    // the user's own screen back. True when that word must also go to standard error:
    // nobody could read it (no keyboard), or the screen it stood on is gone.
    bool wait_for_last_word();

protected:
    // Destroyed only as the derived replay source; never through a Sequencer.
    ~StreamSequencer() = default;

    // Runs one event of the hand: afterwards row 2 echoes the last line read and, when
    // the event failed, row 3 shows why before the fault goes on.
    template <typename Event>
    auto guarded(Event&& event) -> decltype(event());

    // Row 2: the last line the reader handed out, with its number.
    void echo();

    LineReader reader;
    OlderGrammar grammar;
    StatusRows rows;
    // Reads made by read_line after the end of the input.
    std::uint32_t reads_past_end = 0;
};

template <typename Event>
auto StreamSequencer::guarded(Event&& event) -> decltype(event())
{
    struct Echo {
        StreamSequencer& replay;
        ~Echo() { replay.echo(); }
    } echo_at_exit{*this};
    try {
        return event();
    } catch (const HandHistoryError& fault) {
        rows.show_error(fault.what());
        throw;
    }
}

} // namespace poker::texas_holdem::pokerstars

#endif
