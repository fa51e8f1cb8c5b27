#include "texas_holdem/pokerstars/StreamSequencer.h"

#include <iostream>

#include "console/Console.h"
#include "texas_holdem/SequencerHelper.h"

namespace poker::texas_holdem::pokerstars {

StreamSequencer::StreamSequencer(std::istream& in)
    : reader(in, &OlderGrammar::is_attendance_line), grammar(reader)
{
}

void StreamSequencer::echo()
{
    if (reader.line_number() > 0)
        rows.show_found(reader.line_number(), reader.last_line());
}

std::string StreamSequencer::peek_line()
{
    std::string_view line;
    if (reader.peek(line)) {
        echo();
        return std::string(line);
    }
    rows.show_found(lines_read() + 1, {});
    return {};
}

std::string StreamSequencer::read_line()
{
    std::string_view line;
    if (reader.peek(line)) {
        std::string result(line);
        reader.consume();
        echo();
        return result;
    }
    ++reads_past_end;
    rows.show_found(lines_read(), {});
    return {};
}

bool StreamSequencer::skip_attendance_line(std::string line)
{
    return OlderGrammar::is_attendance_line(line);
}

void StreamSequencer::name_check(std::string found, std::string expected)
{
    if (found != expected)
        error("Name mismatch");
}

void StreamSequencer::request(std::string what)
{
    rows.show_request(what);
}

void StreamSequencer::error(std::string message)
{
    rows.show_error(message);
    throw HandHistoryError(message, lines_read());
}

bool StreamSequencer::wait_for_last_word()
{
    return !wait_key() || console::Console::current().hand_back();
}

bool StreamSequencer::wait_key()
{
    std::cout.flush();
    console::Console& console = console::Console::current();
    console.flush();
    return console.wait_space();
}

void StreamSequencer::clear_line(int row)
{
    StatusRows::clear(row);
}

bool StreamSequencer::input_exhausted()
{
    return reader.at_end();
}

void StreamSequencer::parse_header1(std::string line, std::string& game_id)
{
    guarded([&] { grammar.parse_header1(line, game_id); });
}

void StreamSequencer::parse_header2(std::string line, std::string& table_name, unsigned& button)
{
    guarded([&] { grammar.parse_header2(line, table_name, button); });
}

void StreamSequencer::parse_seats(std::vector<std::string>& players, unsigned button)
{
    guarded([&] { grammar.parse_seats(players, button); });
}

void StreamSequencer::parse_blind(std::string line, std::string& player, float& amount)
{
    guarded([&] { grammar.parse_blind(line, player, amount); });
}

void StreamSequencer::parse_move(std::string line, std::string& player, Sequencer::Move& move)
{
    bool all_in = false;
    guarded([&] { grammar.parse_move(line, player, move, all_in); });
}

void StreamSequencer::parse_cards(std::string line, Game::Round& round, std::vector<Card>& cards)
{
    guarded([&] { grammar.parse_cards(line, round, cards); });
}

void StreamSequencer::parse_pot(std::string line, float& pot, float& rake)
{
    guarded([&] { grammar.parse_pot(line, pot, rake); });
}

StreamSequencer::NewGame StreamSequencer::request_new_game()
{
    rows.show_request("New Game");
    return guarded([&] { return grammar.read_new_game(); });
}

float StreamSequencer::request_blind(std::string player)
{
    rows.show_request("Blind bet for ", player);
    return guarded([&] { return grammar.read_blind(player); });
}

float StreamSequencer::request_move(std::string player)
{
    rows.show_request("Move for ", player);
    return guarded([&] { return grammar.read_move(player); });
}

std::vector<Card> StreamSequencer::request_cards(Game::Round round)
{
    rows.show_request("Cards for ", SequencerHelper::round_name(round));
    return guarded([&] { return grammar.read_cards(round); });
}

void StreamSequencer::notify_end_game(const GameHistory& history)
{
    rows.show_request("End of game");
    guarded([&] { grammar.read_end(history); });
    expected_pot = grammar.expected_pot;
    showdown_expected = grammar.showdown_expected;
}

} // namespace poker::texas_holdem::pokerstars
