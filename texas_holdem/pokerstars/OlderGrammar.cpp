#include "texas_holdem/pokerstars/OlderGrammar.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <type_traits>

#include <boost/algorithm/string/predicate.hpp>
#include <boost/lexical_cast.hpp>
#include <boost/regex.hpp>

#include "texas_holdem/GameAnalyser.h"
#include "texas_holdem/SequencerHelper.h"
#include "texas_holdem/pokerstars/HandHistoryError.h"

namespace poker::texas_holdem::pokerstars {

namespace {

const std::string_view showdown_line = "*** SHOW DOWN ***";
const std::string_view summary_line = "*** SUMMARY ***";
const std::string_view next_game_prefix = "PokerStars";
const std::string_view seat_suffix = " at seat #";

// The line patterns of the older text, in Perl syntax, each matched against a whole
// trimmed line. Compiled once, on first use.
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
    boost::regex move{"([0-9a-zA-Z_ ]+): (checks|folds|calls|raises|bets)( [$]([0-9.]+))?"
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
bool matches(std::string_view text, const boost::regex& pattern, boost::cmatch& groups)
{
    try {
        return boost::regex_match(text.data(), text.data() + text.size(), groups, pattern);
    } catch (const std::exception&) {
        return false;
    }
}

// Text of a capture group; empty for a group that did not take part in the match.
std::string text_of(const boost::csub_match& group)
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
bool convert(const boost::csub_match& group, Number& value)
{
    const auto length = static_cast<std::size_t>(group.length());
    if (!group.matched || length == 0)
        return false;
    const char* text = group.first;
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

OlderGrammar::OlderGrammar(LineReader& reader) : reader(reader)
{
}

void OlderGrammar::fail(const std::string& message) const
{
    throw HandHistoryError(message, reader.line_number());
}

// A text that ends inside a hand was cut off: the fault is the end, not a line past it.
std::string_view OlderGrammar::take_line()
{
    std::string_view line;
    if (!reader.peek(line))
        throw HandHistoryError("The file ends inside the hand that began at line "
                                   + std::to_string(hand_line),
                               reader.line_number());
    reader.consume();
    return line;
}

// Every line passes the reader, so the pattern runs only on lines that can match it:
// an attendance line ends in a seat number after " at seat #", or in one of its phrases,
// whose endings are "button", a quote, " out", "returned" and "table".
bool OlderGrammar::is_attendance_line(std::string_view candidate)
{
    using boost::ends_with;
    if (!candidate.empty() && candidate.back() >= '0' && candidate.back() <= '9') {
        // In a line that ends in " at seat #" and digits, the last '#' is the suffix's.
        const std::size_t number = candidate.rfind('#') + 1;
        const std::size_t size = seat_suffix.size();
        if (number < size || candidate.compare(number - size, size, seat_suffix) != 0)
            return false;
    } else if (!(ends_with(candidate, "button") || ends_with(candidate, "\"")
                 || ends_with(candidate, " out") || ends_with(candidate, "returned")
                 || ends_with(candidate, "table"))) {
        return false;
    }
    try {
        return boost::regex_match(candidate.begin(), candidate.end(), patterns().attendance);
    } catch (const std::exception&) {
        return false;
    }
}

void OlderGrammar::parse_header1(std::string_view text, std::string& game_id)
{
    if (!matches(text, patterns().game, groups))
        fail("Malformed game header1");
    game_id = text_of(groups[1]);
}

void OlderGrammar::parse_header2(std::string_view text, std::string& table_name, unsigned& button)
{
    if (!matches(text, patterns().table, groups) || !convert(groups[2], button))
        fail("Malformed game header2");
    table_name = text_of(groups[1]);
}

// The seat list ends at the first line that is not a seat line; it is left unread for the
// blind request. The hand needs two players for its two blinds (and the pot check needs
// two final stakes), and the view has rows for 16.
void OlderGrammar::parse_seats(std::vector<std::string>& names, unsigned button)
{
    const std::size_t first = names.size();
    std::vector<unsigned> seats;
    std::string_view candidate;
    while (reader.peek(candidate) && matches(candidate, patterns().seat, groups)) {
        unsigned seat = 0;
        if (!convert(groups[1], seat))
            fail("Error parsing seat names");
        if (seats.size() == max_players)
            fail("Too many players");
        seats.push_back(seat);
        names.push_back(text_of(groups[2]));
        reader.consume();
    }

    if (seats.empty()) {
        take_line(); // a text cut off here ends inside the hand
        fail("Error parsing seat names");
    }
    if (seats.size() < 2)
        fail("Too few players");
    const auto button_at = std::find(seats.begin(), seats.end(), button);
    if (button_at == seats.end())
        fail("Failed to find button");

    // The player after the button posts the first blind; the button acts last.
    const auto after_button = first + static_cast<std::size_t>(button_at - seats.begin()) + 1;
    std::rotate(names.begin() + static_cast<std::ptrdiff_t>(first),
                names.begin() + static_cast<std::ptrdiff_t>(after_button), names.end());
}

void OlderGrammar::parse_blind(std::string_view text, std::string& player, float& amount)
{
    if (!matches(text, patterns().blind, groups) || !convert(groups[3], amount))
        fail("Malformed blind bet");
    player = text_of(groups[1]);
}

// A raise is given by the amount raised by, not the total after " to "; a call is a call
// whatever its amount, all-in or not, as the replay of the older text has always taken it
// (its pot check counts an all-in call for less as a full call).
void OlderGrammar::parse_move(std::string_view text, std::string& player, Sequencer::Move& move,
                              bool& all_in_now)
{
    if (!matches(text, patterns().move, groups))
        fail("Malformed move");
    player = text_of(groups[1]);
    all_in_now = groups[6].matched;

    const std::string_view word(&*groups[2].first, static_cast<std::size_t>(groups[2].length()));
    if (word == "folds") {
        move.amount = Sequencer::fold_amount;
    } else if (word == "checks" || word == "calls") {
        move.amount = 0;
    } else if (word == "raises" || word == "bets") {
        if (!convert(groups[4], move.amount))
            fail("Malformed move");
    } else {
        fail("Unknown type");
    }
}

// The hole cards stay unknown whatever the line shows: the replay never tells the user's
// own cards. The earlier board in the first bracket of a turn or river line is not
// compared with the cards already dealt.
void OlderGrammar::parse_cards(std::string_view text, Game::Round& round, std::vector<Card>& cards)
{
    if (!matches(text, patterns().street, groups))
        fail("Malformed cards");

    const std::string_view word(&*groups[1].first, static_cast<std::size_t>(groups[1].length()));
    if (word == "HOLE CARDS")
        round = Game::hole;
    else if (word == "FLOP")
        round = Game::flop;
    else if (word == "TURN")
        round = Game::turn;
    else if (word == "RIVER")
        round = Game::river;
    else
        fail("Unknown round");

    cards.resize(static_cast<std::size_t>(Game::cards_dealt_in_round(round)));
    if (round == Game::hole)
        return;

    constexpr int first_bracket = 3;
    constexpr int second_bracket = 6;
    const auto& group = groups[round == Game::flop ? first_bracket : second_bracket];
    std::string notation;
    if (group.matched) {
        for (auto at = group.first; at != group.second; ++at) {
            // Values are upper case in the text and lower case in card notation.
            if (*at != ' ')
                notation += static_cast<char>(*at >= 'A' && *at <= 'Z' ? *at - 'A' + 'a' : *at);
        }
    }
    if (!SequencerHelper::parse(notation, cards))
        fail("Malformed flop");
}

void OlderGrammar::parse_pot(std::string_view text, float& pot, float& rake)
{
    if (!matches(text, patterns().pot, groups) || !convert(groups[1], pot)
        || !convert(groups[2], rake))
        fail("Malformed pot");
}

Sequencer::NewGame OlderGrammar::read_new_game()
{
    std::string_view line;
    reader.peek(line);
    hand_line = reader.line_number();
    Sequencer::NewGame result;
    parse_header1(take_line(), result.game_id);
    unsigned button = 0;
    parse_header2(take_line(), result.table_name, button);
    parse_seats(result.players, button);

    players = result.players;
    stakes.assign(players.size(), 0.0f);
    stake_to_match = 0;
    all_in_pending = false;
    board.clear();
    return result;
}

// npos for a name the hand does not seat: the line's own name then fails its check.
std::size_t OlderGrammar::seat_of(const std::string& player) const
{
    return static_cast<std::size_t>(std::find(players.begin(), players.end(), player)
                                    - players.begin());
}

// As Game::blind and Game::raise compute it, in the same single precision.
void OlderGrammar::record(std::size_t seat, float amount)
{
    if (seat >= players.size() || amount < 0)
        return;
    stakes[seat] = stake_to_match + amount;
    stake_to_match = stakes[seat];
}

float OlderGrammar::read_blind(const std::string& player)
{
    const std::size_t seat = seat_of(player);
    std::string found;
    float amount = 0;
    parse_blind(take_line(), found, amount);
    if (found != player)
        fail("Name mismatch");
    if (seat < players.size()) {
        stakes[seat] = amount;
        stake_to_match = amount;
    }
    all_in_pending = false;
    return amount;
}

// A move that puts a player all in is reported to the driver (all_in_stake), which then
// asks him for no further move: the text has no line for him, nor for his last opponent
// while nothing is left to call.
float OlderGrammar::read_move(const std::string& player)
{
    std::string found;
    Sequencer::Move move;
    bool all_in_now = false;
    parse_move(take_line(), found, move, all_in_now);
    if (found != player)
        fail("Name mismatch");
    const std::size_t seat = seat_of(player);
    if (seat < players.size()) {
        record(seat, move.amount);
        all_in_pending = all_in_now && move.amount >= 0;
        all_in_stake = stakes[seat];
    }
    return move.amount;
}

bool OlderGrammar::take_all_in(float& stake)
{
    if (!all_in_pending)
        return false;
    all_in_pending = false;
    stake = all_in_stake;
    return true;
}

// A card already on the board cannot come again: the hand's text is corrupt.
std::vector<Card> OlderGrammar::read_cards(Game::Round round)
{
    std::vector<Card> cards;
    Game::Round found = Game::hole;
    parse_cards(take_line(), found, cards);
    if (found != round)
        fail("Round mismatch");
    if (cards.size() != static_cast<std::size_t>(Game::cards_dealt_in_round(round)))
        fail("Found wrong number of cards");
    if (round != Game::hole) {
        for (const Card card : cards) {
            if (std::find(board.begin(), board.end(), card) != board.end())
                fail("Corrupt hand: the board shows a card twice");
            board.push_back(card);
        }
    }
    return cards;
}

// The pot the text must show is the pot at the end of the last round played, less the
// part of the largest stake that nobody matched (an uncalled bet goes back to its maker).
// When all four rounds were played and the two largest stakes are equal, somebody called
// or checked the river down, and the text must go on with the showdown line.
void OlderGrammar::read_end(const GameHistory& history)
{
    assert(history.stakes_to_match.size() >= 2);
    assert(history.player_stakes.size() >= 2);

    float top = -std::numeric_limits<float>::infinity();
    float second = top;
    for (const auto& player_stakes : history.player_stakes) {
        assert(!player_stakes.empty());
        const float stake = player_stakes.back();
        if (stake > top) {
            second = top;
            top = stake;
        } else if (stake > second) {
            second = stake;
        }
    }
    const auto last_round = static_cast<unsigned>(history.stakes_to_match.size() - 2);
    expected_pot = static_cast<float>(GameAnalyser(history).pot_size_at_round_end(last_round)
                                      - (top - second));

    constexpr std::size_t all_rounds_played = 5;
    showdown_expected = history.stakes_to_match.size() == all_rounds_played && top == second;
    if (showdown_expected && take_line() != showdown_line)
        fail("Expected showdown");

    // Whatever stands between the last move and the summary is skipped.
    while (take_line() != summary_line) {
    }

    float pot = 0;
    float rake = 0;
    parse_pot(take_line(), pot, rake);
    if (!same_in_cents(expected_pot, pot)) {
        std::string text;
        boost::conversion::try_lexical_convert(expected_pot, text);
        fail("Game over pot size mismatch: $" + text);
    }

    // Whatever follows up to the next hand's first line is skipped.
    std::string_view line;
    while (reader.peek(line) && !boost::starts_with(line, next_game_prefix))
        reader.consume();
}

} // namespace poker::texas_holdem::pokerstars
