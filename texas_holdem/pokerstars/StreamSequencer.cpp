#include "texas_holdem/pokerstars/StreamSequencer.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <limits>
#include <type_traits>

#include <boost/algorithm/string/case_conv.hpp>
#include <boost/algorithm/string/erase.hpp>
#include <boost/algorithm/string/predicate.hpp>
#include <boost/lexical_cast.hpp>
#include <boost/regex.hpp>

#include "console/Console.h"
#include "console/Cursor.h"
#include "texas_holdem/GameAnalyser.h"
#include "texas_holdem/SequencerHelper.h"

namespace poker::texas_holdem::pokerstars {

namespace {

// The look-ahead buffer holds this when no line is buffered. Every buffered line is
// trimmed, so no real line can be a lone newline.
const std::string no_line = "\n";

// Clearing a status row writes this many blanks from column 1, whatever the console's
// width; on 58 columns they run on into the next row.
constexpr std::size_t status_blanks = 100;
constexpr int status_column = 1;

// How much of an over-long line the reader keeps, and the remark that replaces the rest.
// The remark ends in "]" after text that is no card, which no line pattern accepts, and
// it is not "*** SUMMARY ***": an over-long line can only be skipped or rejected.
constexpr std::size_t overlong_kept = 40;
const std::string overlong_remark = " [longer than 4096 characters]";

// The UTF-8 byte-order mark that some clients write before the first line.
const std::string byte_order_mark = "\xEF\xBB\xBF";

const std::string showdown_line = "*** SHOW DOWN ***";
const std::string summary_line = "*** SUMMARY ***";
const std::string next_game_prefix = "PokerStars";
const std::string seat_suffix = " at seat #";

// White space as the classic locale classifies it.
bool is_blank(char ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

// The line patterns of the hand-history format, in Perl syntax, each matched against a
// whole trimmed line. Compiled once, on first use.
struct Patterns {
    boost::regex attendance{
        "([0-9a-zA-Z_ ]+):? (will be allowed to play after the button|said, \"[^\"]*\"|"
        "has timed out|has returned|sits out|(leaves|joins) the table|is sitting out)"
        "( at seat #[0-9]+)?"};
    boost::regex game{
        "PokerStars Game #([0-9]+):  Hold'em( No | )?Limit [(][$]([0-9]+)/[$]([0-9]+)[)] - "
        "([0-9]{4}/[0-9]{2}/[0-9]{2}) - ([0-9]{2}:[0-9]{2}:[0-9]{2}) [(]ET[)]"};
    // "A-z" (not "A-Z") is the format's own class: it also admits [ \ ] ^ _ and `.
    boost::regex table{"Table '([a-zA-z0-9 ]*)' 6-max Seat #([0-9]) is the button"};
    boost::regex seat{"Seat ([0-9]+): ([0-9a-zA-Z_ ]+) [(][$][0-9.]+ in chips[)]"};
    boost::regex blind{"([0-9a-zA-Z_ ]+): posts (small|big) blind [$]([0-9.]+)"};
    boost::regex move{
        "([0-9a-zA-Z_ ]+): (checks|folds|calls|raises|bets)( [$]([0-9.]+))?"
        "( to [$][0-9.]+)?( and is all-in)?"};
    boost::regex street{
        "[*]{3} (HOLE CARDS|FLOP|TURN|RIVER) [*]{3}( [[](([2-9TJQKA][chds][ ]?)+)[]])?"
        "( [[]([2-9TJQKA][chds][ ]?)[]])?"};
    boost::regex pot{"Total pot [$]([0-9.]+) [|] Rake [$]([0-9.]+)"};
};

const Patterns& patterns()
{
    static const Patterns compiled;
    return compiled;
}

// A whole-line match. The engine throws when a match grows too complex for it; such a
// line is treated as one that does not match, so it ends like any malformed line.
bool matches(const std::string& text, const boost::regex& pattern, boost::smatch& groups)
{
    try {
        return boost::regex_match(text, groups, pattern);
    } catch (const std::exception&) {
        return false;
    }
}

// Text of a capture group, copied at once (sub_match::str appends it character by
// character); empty for a group that did not take part in the match.
std::string text_of(const boost::ssub_match& group)
{
    return group.matched ? std::string(group.first, group.second) : std::string();
}

// An amount such as "200" or "12.40" without building a stream: its digits read as one
// whole number, divided by the power of ten its decimals make, in double, then rounded to
// float. With at most 15 digits and 8 decimals the quotient in double lies so much closer
// to the true value than to any point halfway between two floats that the rounding gives
// the float nearest the text, as the float conversion of the text does. False for any
// other text (no digits on one side of the point, two points, too many digits).
bool convert_plain_amount(const char* text, std::size_t length, float& value)
{
    constexpr std::size_t max_digits = 15;
    constexpr std::size_t max_decimals = 8;
    constexpr double powers_of_ten[max_decimals + 1] = {1e0, 1e1, 1e2, 1e3, 1e4,
                                                        1e5, 1e6, 1e7, 1e8};
    const char* point = std::find(text, text + length, '.');
    const auto whole_digits = static_cast<std::size_t>(point - text);
    const std::size_t decimals = point == text + length ? 0 : length - whole_digits - 1;
    if (whole_digits == 0 || whole_digits + decimals > max_digits || decimals > max_decimals
        || (point != text + length && decimals == 0))
        return false;

    char digits[max_digits];
    std::copy(text, point, digits);
    if (decimals > 0)
        std::copy(point + 1, text + length, digits + whole_digits);
    std::uint64_t number = 0;
    if (!boost::conversion::try_lexical_convert(digits, whole_digits + decimals, number))
        return false;
    value = static_cast<float>(static_cast<double>(number) / powers_of_ten[decimals]);
    return true;
}

// The largest amount the game model takes: far beyond any real one, yet the model's float
// sums of a hand's amounts (fewer than 10^8 of them) stay finite. An amount near the float
// limit made the pot infinite and then a NaN, caught only at the summary line.
constexpr float max_amount = 1e30f;

// Text of a capture group as a number, the whole text read as lexical_cast reads it.
// False for text the number class admits but that is no number ("1.2.3", ".", "" of an
// absent group), for a seat number beyond unsigned and for an amount beyond max_amount,
// so that such a line stops with the message of its kind.
template <typename Number>
bool convert(const boost::ssub_match& group, Number& value)
{
    const auto length = static_cast<std::size_t>(group.length());
    if (!group.matched || length == 0)
        return false;
    const char* text = &*group.first;
    if constexpr (std::is_same_v<Number, float>) {
        // The usual amounts take the way without a stream; the rest the float conversion.
        if (convert_plain_amount(text, length, value))
            return true;
    }
    Number converted{};
    if (!boost::conversion::try_lexical_convert(text, length, converted))
        return false;
    if constexpr (std::is_same_v<Number, float>) {
        if (!(converted <= max_amount))
            return false;
    }
    value = converted;
    return true;
}

// The pot check works in whole cents: the model adds float amounts, and a total such as
// 12.40 is not exactly the float sum of its parts. A NaN never compares equal.
bool same_in_cents(float a, float b)
{
    return std::round(static_cast<double>(a) * 100.0) == std::round(static_cast<double>(b) * 100.0);
}

} // namespace

StreamSequencer::StreamSequencer(std::istream& in) : stream(in), line(no_line)
{
}

// Like std::getline, but a line is cut off after max_line_length characters (the rest of
// it is read and dropped) and a failed read always leaves an empty line: the buffer may
// still hold a dropped attendance line, which would otherwise be read again for ever.
void StreamSequencer::fetch_line()
{
    ++line_number;
    char buffer[max_line_length + 1];
    // Stores at most max_line_length characters; fails when the line holds more, and when
    // nothing at all is left.
    stream.getline(buffer, sizeof buffer);
    auto length = static_cast<std::size_t>(stream.gcount());
    const bool overlong = stream.fail() && !stream.eof() && length == max_line_length;
    if (overlong) {
        stream.clear(stream.rdstate() & ~std::ios::failbit);
        stream.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    } else if (length > 0 && !stream.eof()) {
        --length;  // the newline, counted but not stored
    }
    // Windows tools start a file with a byte-order mark; hand histories joined from such
    // files carry one at the start of a later hand too, which would otherwise hide that
    // hand's game line and lose the hand without a word.
    const char* first = buffer;
    const char* last = buffer + length;
    if (length >= byte_order_mark.size()
        && std::equal(byte_order_mark.begin(), byte_order_mark.end(), first))
        first += byte_order_mark.size();
    // Trimmed as the classic locale trims, without asking a locale for every character.
    while (first != last && is_blank(*first))
        ++first;
    while (last != first && is_blank(last[-1]))
        --last;
    line.assign(first, last);
    if (overlong) {
        line.resize(std::min(line.size(), overlong_kept));
        line += overlong_remark;
    }
}

std::string StreamSequencer::peek_line()
{
    return buffered_line();
}

// Row 2 belongs to the reader: only the clearing of row 1 runs on into it. So while the
// echo of the buffered line still stands there, echoing it again would change nothing,
// and a peek followed by a read of the same line writes it once.
const std::string& StreamSequencer::buffered_line()
{
    while (!line_kept) {
        if (line != no_line && !is_attendance_line(line)) {
            line_kept = true;
            break;
        }
        fetch_line();
        echo_shown = false;
    }

    if (!echo_shown) {
        clear_line(found_row);
        status = "Found[";
        status += std::to_string(line_number);
        status += "] ";
        status += line;
        write_status(found_row);
        echo_shown = true;
    }
    return line;
}

std::string StreamSequencer::read_line()
{
    buffered_line();
    std::string result = std::move(line);
    line = no_line;
    line_kept = false;
    return result;
}

// Every line passes the reader, so the pattern runs only on lines that can match it:
// an attendance line ends in a seat number after " at seat #", or in one of its phrases,
// whose endings are "button", a quote, " out", "returned" and "table".
bool StreamSequencer::may_be_attendance_line(const std::string& candidate)
{
    using boost::ends_with;
    if (!candidate.empty() && candidate.back() >= '0' && candidate.back() <= '9') {
        // In a line that ends in " at seat #" and digits, the last '#' is the suffix's.
        const std::size_t number = candidate.rfind('#') + 1;
        const std::size_t size = seat_suffix.size();
        return number >= size && candidate.compare(number - size, size, seat_suffix) == 0;
    }
    return ends_with(candidate, "button") || ends_with(candidate, "\"")
        || ends_with(candidate, " out") || ends_with(candidate, "returned")
        || ends_with(candidate, "table");
}

bool StreamSequencer::skip_attendance_line(std::string candidate)
{
    return is_attendance_line(candidate);
}

bool StreamSequencer::is_attendance_line(const std::string& candidate)
{
    if (!may_be_attendance_line(candidate))
        return false;
    try {
        return boost::regex_match(candidate, patterns().attendance);
    } catch (const std::exception&) {
        return false;
    }
}

void StreamSequencer::name_check(std::string found, std::string expected)
{
    if (found != expected)
        error("Name mismatch");
}

void StreamSequencer::request(std::string what)
{
    show_request(what);
}

void StreamSequencer::show_request(std::string_view what, std::string_view subject)
{
    clear_line(request_row);
    status = "Request: ";
    status += what;
    status += subject;
    write_status(request_row);
}

// The status rows go straight into the console's cells, where text streamed to std::cout
// lands too, without the stream's work on every call: a replay writes two rows per line.
// clear_line has just placed the cursor at the start of `row` and left the live cursor
// after the blanks; nothing was streamed since, so moving the live cursor back is all the
// placement left to do.
void StreamSequencer::write_status(int row)
{
    console::Console& console = console::Console::current();
    console.set_cursor(status_column, row);
    console.write_text(status.data(), status.size());
}

// The hook runs while the message stands on row 3; when it returns, the user reads the
// message until the space bar is pressed. Without a keyboard (a script, CI) nobody can,
// so the message goes to standard error as well and the process ends at once. It goes
// there too when the space bar gave the user's own screen back (a terminal leaves its
// alternate screen), so that it stays in view after the end.
void StreamSequencer::error(std::string message)
{
    clear_line(error_row);
    console::Cursor::position(status_column, error_row);
    std::cout << "Error:   " << message;
    std::cout.flush();
    console::Console::current().flush();

    if (error_hook)
        error_hook(message);
    if (wait_for_last_word())
        std::cerr << "corvald: hand history line " << line_number << ": " << message << std::endl;
    std::exit(EXIT_FAILURE);
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

// The blanks go into the cells in one call rather than through the stream one by one:
// the status rows and the row after each carry the default colours throughout a replay,
// so the cells end up the same. The cursor is left after the blanks, where the stream
// would have left it.
void StreamSequencer::clear_line(int row)
{
    if (row == request_row || row == found_row)
        echo_shown = false;
    console::Cursor::position(status_column, row);
    console::Console& console = console::Console::current();
    console.fill_character(status_column, row, ' ', status_blanks);
    constexpr int end = status_column + static_cast<int>(status_blanks);
    console.set_cursor(end % console::screen_width, row + end / console::screen_width);
}

bool StreamSequencer::input_exhausted() const
{
    return line == no_line && !stream.good();
}

void StreamSequencer::parse_header1(std::string text, std::string& game_id)
{
    if (!matches(text, patterns().game, groups))
        error("Malformed game header1");
    game_id = text_of(groups[1]);
}

void StreamSequencer::parse_header2(std::string text, std::string& table_name, unsigned& button)
{
    if (!matches(text, patterns().table, groups) || !convert(groups[2], button))
        error("Malformed game header2");
    table_name = text_of(groups[1]);
}

// The seat list ends at the first line that is not a seat line; it is left unread for the
// blind request. The hand needs two players for its two blinds (and the pot check needs
// two final stakes), and the view has rows for 16.
void StreamSequencer::parse_seats(std::vector<std::string>& players, unsigned button)
{
    const std::size_t first = players.size();
    std::vector<unsigned> seats;
    for (;;) {
        const std::string& candidate = buffered_line();
        if (!matches(candidate, patterns().seat, groups))
            break;
        unsigned seat = 0;
        if (!convert(groups[1], seat))
            error("Error parsing seat names");
        if (seats.size() == max_players)
            error("Too many players");
        seats.push_back(seat);
        players.push_back(text_of(groups[2]));
        read_line();
    }

    if (seats.empty())
        error("Error parsing seat names");
    if (seats.size() < 2)
        error("Too few players");
    const auto button_at = std::find(seats.begin(), seats.end(), button);
    if (button_at == seats.end())
        error("Failed to find button");

    // The player after the button posts the first blind; the button acts last.
    const auto after_button = first + static_cast<std::size_t>(button_at - seats.begin()) + 1;
    std::rotate(players.begin() + static_cast<std::ptrdiff_t>(first),
                players.begin() + static_cast<std::ptrdiff_t>(after_button), players.end());
}

void StreamSequencer::parse_blind(std::string text, std::string& player, float& amount)
{
    if (!matches(text, patterns().blind, groups) || !convert(groups[3], amount))
        error("Malformed blind bet");
    player = text_of(groups[1]);
}

// A raise is given by the amount raised by, not the total after " to "; a call is a call
// whatever its amount, all-in or not, as the model knows no all-in.
void StreamSequencer::parse_move(std::string text, std::string& player, Sequencer::Move& move)
{
    if (!matches(text, patterns().move, groups))
        error("Malformed move");
    player = text_of(groups[1]);

    const std::string word = text_of(groups[2]);
    if (word == "folds") {
        move.amount = fold_amount;
    } else if (word == "checks" || word == "calls") {
        move.amount = 0;
    } else if (word == "raises" || word == "bets") {
        if (!convert(groups[4], move.amount))
            error("Malformed move");
    } else {
        error("Unknown type");
    }
}

// The hole cards stay unknown whatever the line shows: the replay never tells the user's
// own cards. The earlier board in the first bracket of a turn or river line is not
// compared with the cards already dealt.
void StreamSequencer::parse_cards(std::string text, Game::Round& round, std::vector<Card>& cards)
{
    if (!matches(text, patterns().street, groups))
        error("Malformed cards");

    const std::string word = text_of(groups[1]);
    if (word == "HOLE CARDS")
        round = Game::hole;
    else if (word == "FLOP")
        round = Game::flop;
    else if (word == "TURN")
        round = Game::turn;
    else if (word == "RIVER")
        round = Game::river;
    else
        error("Unknown round");

    cards.resize(static_cast<std::size_t>(Game::cards_dealt_in_round(round)));
    if (round == Game::hole)
        return;

    constexpr int first_bracket = 3;
    constexpr int second_bracket = 6;
    std::string notation = text_of(groups[round == Game::flop ? first_bracket : second_bracket]);
    boost::erase_all(notation, " ");
    boost::to_lower(notation);
    if (!SequencerHelper::parse(notation, cards))
        error("Malformed flop");
}

void StreamSequencer::parse_pot(std::string text, float& pot, float& rake)
{
    if (!matches(text, patterns().pot, groups) || !convert(groups[1], pot)
        || !convert(groups[2], rake))
        error("Malformed pot");
}

StreamSequencer::NewGame StreamSequencer::request_new_game()
{
    request("New Game");
    std::string game_id;
    parse_header1(read_line(), game_id);
    std::string table_name;
    unsigned button = 0;
    parse_header2(read_line(), table_name, button);

    NewGame result;
    result.table_name = table_name;
    result.game_id = game_id;
    parse_seats(result.players, button);
    return result;
}

float StreamSequencer::request_blind(std::string player)
{
    show_request("Blind bet for ", player);
    std::string found;
    float amount = 0;
    parse_blind(read_line(), found, amount);
    name_check(found, player);
    return amount;
}

float StreamSequencer::request_move(std::string player)
{
    show_request("Move for ", player);
    std::string found;
    Sequencer::Move move;
    parse_move(read_line(), found, move);
    name_check(found, player);
    return move.amount;
}

std::vector<Card> StreamSequencer::request_cards(Game::Round round)
{
    show_request("Cards for ", SequencerHelper::round_name(round));
    std::vector<Card> cards;
    Game::Round found = Game::hole;
    parse_cards(read_line(), found, cards);
    if (found != round)
        error("Round mismatch");
    if (cards.size() != static_cast<std::size_t>(Game::cards_dealt_in_round(round)))
        error("Found wrong number of cards");
    return cards;
}

// The pot the text must show is the pot at the end of the last round played, less the
// part of the largest stake that nobody matched (an uncalled bet goes back to its maker).
// When all four rounds were played and the two largest stakes are equal, somebody called
// or checked the river down, and the text must go on with the showdown line.
void StreamSequencer::notify_end_game(const GameHistory& history)
{
    request("End of game");
    assert(history.stakes_to_match.size() >= 2);
    assert(history.player_stakes.size() >= 2);

    float top = -std::numeric_limits<float>::infinity();
    float second = top;
    for (const auto& stakes : history.player_stakes) {
        assert(!stakes.empty());
        const float stake = stakes.back();
        if (stake > top) {
            second = top;
            top = stake;
        } else if (stake > second) {
            second = stake;
        }
    }
    const auto last_round = static_cast<unsigned>(history.stakes_to_match.size() - 2);
    expected_pot = static_cast<float>(
        GameAnalyser(history).pot_size_at_round_end(last_round) - (top - second));

    constexpr std::size_t all_rounds_played = 5;
    showdown_expected = history.stakes_to_match.size() == all_rounds_played && top == second;
    if (showdown_expected) {
        if (read_line() != showdown_line)
            error("Expected showdown");
    }

    // Whatever stands between the last move and the summary is skipped; a text that ends
    // before the summary has no pot line.
    while (buffered_line() != summary_line) {
        if (!stream.good())
            error("Malformed pot");
        read_line();
    }
    request("Summary");
    read_line();

    request("Pot");
    float pot = 0;
    float rake = 0;
    parse_pot(read_line(), pot, rake);
    if (!same_in_cents(expected_pot, pot)) {
        std::string text;
        boost::conversion::try_lexical_convert(expected_pot, text);
        error("Game over pot size mismatch: $" + text);
    }

    request("Looking for next game");
    while (stream.good()) {
        if (boost::starts_with(buffered_line(), next_game_prefix))
            break;
        read_line();
    }
}

} // namespace poker::texas_holdem::pokerstars
