#ifndef CORVALD_TEXAS_HOLDEM_POKERSTARS_OLDERGRAMMAR_H
#define CORVALD_TEXAS_HOLDEM_POKERSTARS_OLDERGRAMMAR_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <boost/regex.hpp>

#include "poker/Card.h"
#include "texas_holdem/Game.h"
#include "texas_holdem/GameHistory.h"
#include "texas_holdem/Sequencer.h"
#include "texas_holdem/pokerstars/LineReader.h"

namespace poker::texas_holdem::pokerstars {

// The hand-history text of the 2006-2008 client, turned into the hand driver's events:
// each read_ operation takes exactly the lines of its event from the reader and checks
// them against fixed patterns. Nothing is drawn; every fault is a HandHistoryError with
// the number of the line that showed it.
//
// The driver's model knows no all-in. The grammar follows the model's stakes beside it so
// that a player who is all in is asked for no further move: he checks while his stake
// still matches, and leaves the betting (as a fold, which keeps his money in the pot)
// once somebody bets over him. A player whose every opponent still in is all in has no
// line either while nothing is left for him to call.
class OlderGrammar {
public:
    // At most this many players take part in a hand: the table view has 16 rows.
    static constexpr std::size_t max_players = 16;

    // Reads from `reader`, which must outlive the grammar.
    explicit OlderGrammar(LineReader& reader);

    // The reader's skip test for this text: players arriving, leaving, pausing, timing
    // out and chatting, wherever they stand.
    static bool is_attendance_line(std::string_view line);

    // Game line, table line and seat lines; the seat after the button plays first.
    Sequencer::NewGame read_new_game();
    float read_blind(const std::string& player);
    float read_move(const std::string& player);
    std::vector<Card> read_cards(Game::Round round);
    // Checks the end of the hand against the pot line and moves on to the next hand's
    // first line (or the end of the input).
    void read_end(const GameHistory& history);

    // The line parsers; each throws when its line does not fit.
    void parse_header1(std::string_view line, std::string& game_id);
    void parse_header2(std::string_view line, std::string& table_name, unsigned& button);
    void parse_seats(std::vector<std::string>& players, unsigned button);
    void parse_blind(std::string_view line, std::string& player, float& amount);
    // `all_in` is set when the line says "and is all-in".
    void parse_move(std::string_view line, std::string& player, Sequencer::Move& move, bool& all_in);
    void parse_cards(std::string_view line, Game::Round& round, std::vector<Card>& cards);
    void parse_pot(std::string_view line, float& pot, float& rake);

    // Throws `message` with the number of the line just read.
    [[noreturn]] void fail(const std::string& message) const;

    // The end check of the last hand that reached it: the pot its text must show and
    // whether it had to go on with the showdown line.
    float expected_pot = 0;
    bool showdown_expected = false;
    // The number of the current hand's game line.
    std::uint32_t hand_line = 0;

private:
    // The next line inside a hand, consumed; a text that ends there is cut off.
    std::string_view take_line();
    // Index of `player` among the hand's players.
    std::size_t seat_of(const std::string& player) const;
    // The model's stake arithmetic, mirrored; nothing for a seat the hand does not have.
    void record(std::size_t seat, float amount);

    LineReader& reader;
    boost::cmatch groups;

    // This hand's players in driver order, and what the model holds for each.
    std::vector<std::string> players;
    std::vector<float> stakes;
    std::vector<bool> all_in;
    std::vector<bool> folded;
    float stake_to_match = 0;
    // The community cards dealt so far, to refuse a card dealt twice.
    std::vector<Card> board;
};

} // namespace poker::texas_holdem::pokerstars

#endif
