#include "texas_holdem/pokerstars/CurrentGrammar.h"

#include <algorithm>
#include <string>

#include "texas_holdem/SequencerHelper.h"
#include "texas_holdem/pokerstars/HandHistoryError.h"
#include "texas_holdem/pokerstars/MoneyText.h"

namespace poker::texas_holdem::pokerstars {

namespace {

using Kind = HandRecord::Action::Kind;
using Street = HandRecord::Street;

constexpr std::string_view header_start = "PokerStars ";
// What follows "PokerStars " in a header, from the 2005 text to today's.
constexpr std::string_view header_kinds[] = {
    "Hand #", "Game #", "Zoom Hand #", "Rush Hand #", "Home Game Hand #", "Home Game #",
};
constexpr std::string_view all_in_suffix = " and is all-in";
constexpr std::string_view cap_infix = " and has reached the ";
// Cards on the board after the flop, turn and river.
constexpr std::size_t flop_cards = 3;
constexpr std::size_t board_cards = 5;

// Lines that say who sits, talks, comes or goes: the only ones read and not recorded.
// Each is the text after a player's name, which need not be a seated player's.
constexpr std::string_view status_suffixes[] = {
    " will be allowed to play after the button",
    " was removed from the table for failing to post",
    " has timed out while being disconnected",
    " has timed out while disconnected",
    " has timed out",
    " is disconnected",
    " is connected",
    " has returned",
    ": is sitting out",
    " is sitting out",
    ": sits out",
    " sits out",
    " leaves the table",
};

bool starts_with(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

bool ends_with(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// Removes `prefix` from `text` when it is there.
bool take(std::string_view& text, std::string_view prefix)
{
    if (!starts_with(text, prefix))
        return false;
    text.remove_prefix(prefix.size());
    return true;
}

bool take_suffix(std::string_view& text, std::string_view suffix)
{
    if (!ends_with(text, suffix))
        return false;
    text.remove_suffix(suffix.size());
    return true;
}

bool all_digits(std::string_view text)
{
    return !text.empty()
           && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool to_unsigned(std::string_view text, unsigned& value)
{
    constexpr std::size_t max_digits = 6;
    if (!all_digits(text) || text.size() > max_digits)
        return false;
    value = 0;
    for (const char c : text)
        value = value * 10 + static_cast<unsigned>(c - '0');
    return true;
}

bool is_roman(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("IVXLC") == std::string_view::npos;
}

// "[Ah Kd]" into `cards`; false unless every card is notation and their count is within
// [least, most].
bool read_cards(std::string_view text, std::vector<Card>& cards, std::size_t least, std::size_t most)
{
    cards.clear();
    if (!take(text, "[") || !take_suffix(text, "]"))
        return false;
    while (!text.empty()) {
        if (text.size() < 2)
            return false;
        if (!SequencerHelper::parse_written(text[0], text[1], cards.emplace_back()))
            return false;
        text.remove_prefix(2);
        if (!text.empty() && !take(text, " "))
            return false;
    }
    return cards.size() >= least && cards.size() <= most;
}

// A timestamp "YYYY/MM/DD H:MM:SS" (or the 2005-2007 "YYYY/MM/DD - HH:MM:SS") at the
// start of `text`; returns its length, 0 when there is none.
std::size_t timestamp_length(std::string_view text)
{
    constexpr std::size_t date_length = 10;
    if (text.size() < date_length || text[4] != '/' || text[7] != '/'
        || !all_digits(text.substr(0, 4)) || !all_digits(text.substr(5, 2))
        || !all_digits(text.substr(8, 2)))
        return 0;
    std::string_view rest = text.substr(date_length);
    if (!take(rest, " - ") && !take(rest, " "))
        return 0;
    const std::size_t colon = rest.find(':');
    if (colon == 0 || colon > 2 || rest.size() < colon + 6 || !all_digits(rest.substr(0, colon))
        || rest[colon + 3] != ':' || !all_digits(rest.substr(colon + 1, 2))
        || !all_digits(rest.substr(colon + 4, 2)))
        return 0;
    return text.size() - rest.size() + colon + 6;
}

// "<ts> ET", "<ts> CET [<ts> ET]", "<ts> (ET)": the whole rest of the header.
bool is_header_time(std::string_view text)
{
    const std::size_t length = timestamp_length(text);
    if (length == 0)
        return false;
    text.remove_prefix(length);
    if (text == " (ET)")
        return true;
    if (!take(text, " "))
        return false;
    const std::size_t zone = text.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    if (zone < 2 || (zone == std::string_view::npos && text.size() < 2))
        return false;
    if (zone == std::string_view::npos)
        return true;
    text.remove_prefix(zone);
    if (!take(text, " [") || !take_suffix(text, " ET]"))
        return false;
    return timestamp_length(text) == text.size();
}

// Words of a tournament's buy-in, before the game's name: amounts, "Freeroll", codes.
bool is_buy_in_word(std::string_view word)
{
    constexpr std::string_view words[] = {"Freeroll", "USD", "EUR", "GBP", "INR",
                                          "CAD",      "SC",  "FPP", "FPPs"};
    return std::find(std::begin(words), std::end(words), word) != std::end(words)
           || word.find_first_of("0123456789") != std::string_view::npos;
}

} // namespace

// Status lines may name players who are not seated: they are known by their ending.
bool CurrentGrammar::is_status_line(std::string_view line)
{
    for (const std::string_view suffix : status_suffixes) {
        if (line.size() > suffix.size() && ends_with(line, suffix))
            return true;
    }
    const std::size_t said = line.find(" said, \"");
    if (said != std::string_view::npos && said > 0 && ends_with(line, "\""))
        return true;
    constexpr std::string_view joins_text = " joins the table at seat #";
    const std::size_t joins = line.rfind(joins_text);
    unsigned seat = 0;
    return joins != std::string_view::npos && joins > 0
           && to_unsigned(line.substr(joins + joins_text.size()), seat);
}

bool CurrentGrammar::is_header(std::string_view line)
{
    if (!take(line, header_start))
        return false;
    return std::any_of(std::begin(header_kinds), std::end(header_kinds),
                       [&](std::string_view kind) { return starts_with(line, kind); });
}

std::size_t CurrentGrammar::glued_header(std::string_view line)
{
    for (std::size_t at = line.find(header_start, 1); at != std::string_view::npos;
         at = line.find(header_start, at + 1)) {
        if (is_header(line.substr(at)))
            return at;
    }
    return std::string_view::npos;
}

void CurrentGrammar::fail(const std::string& message) const
{
    throw HandHistoryError(message, line_number);
}

void CurrentGrammar::begin(std::string_view header, std::uint32_t number, HandRecord& record)
{
    hand = &record;
    line_number = number;
    record.hand_id.clear();
    record.game.clear();
    record.tournament = false;
    record.small_blind = record.big_blind = 0;
    record.money = MoneyForm{};
    record.date_time.clear();
    record.cap = 0;
    record.table_name.clear();
    record.max_seats = 0;
    record.button_seat = 0;
    record.seats.clear();
    record.hero.reset();
    record.hero_cards = {};
    record.actions.clear();
    record.boards.resize(1);
    record.boards[0].clear();
    record.run_twice = false;
    record.showdown = false;
    record.total_pot = record.rake = 0;
    record.side_pots.clear();
    record.uncalled_lines = true;
    record.cancelled = false;
    record.first_line = record.last_line = number;

    phase = Phase::table;
    street = Street::preflop;
    run = 0;
    pot_line = 0;
    small_blind_posted = false;
    any_move = false;
    read_header(header);
}

// PokerStars <kind>#<id>: [{club}] <cash game or tournament> - <time>
void CurrentGrammar::read_header(std::string_view line)
{
    std::string_view rest = line;
    if (!take(rest, header_start))
        fail("Malformed game header1");
    const std::size_t hash = rest.find('#');
    rest.remove_prefix(hash + 1);
    const std::size_t colon = rest.find(": ");
    if (colon == std::string_view::npos || !all_digits(rest.substr(0, colon)))
        fail("Malformed header: expected the hand number and \": \"");
    hand->hand_id.assign(rest.substr(0, colon));
    rest.remove_prefix(colon + 2);
    while (take(rest, " ")) {
    }
    if (take(rest, "{")) {
        const std::size_t close = rest.find('}');
        if (close == std::string_view::npos)
            fail("Malformed header: expected the club name in braces");
        rest.remove_prefix(close + 1);
        while (take(rest, " ")) {
        }
    }

    // The time is the part after the last " - " that reads as one; in the 2005-2007
    // form the date and the time are themselves joined by " - ".
    std::size_t time_at = std::string_view::npos;
    for (std::size_t at = rest.rfind(" - "); at != std::string_view::npos && at > 0;
         at = rest.rfind(" - ", at - 1)) {
        if (is_header_time(rest.substr(at + 3))) {
            time_at = at;
            break;
        }
    }
    if (time_at == std::string_view::npos)
        fail("Malformed header: expected \" - \" and the date and time");
    const std::string_view time = rest.substr(time_at + 3);
    old_date_form = ends_with(time, "(ET)");
    hand->date_time.assign(time.substr(0, timestamp_length(time)));
    rest = rest.substr(0, time_at);

    const bool tournament = take(rest, "Tournament #") || take(rest, "Zoom Tournament #");
    hand->tournament = tournament;
    std::string_view stakes;
    if (tournament) {
        // #<id>, <buy-in> <game> - [Match Round <roman>, ]Level <roman> (<sb>/<bb>)
        const std::size_t comma = rest.find(", ");
        if (comma == std::string_view::npos || !all_digits(rest.substr(0, comma)))
            fail("Malformed header: expected the tournament number and \", \"");
        rest.remove_prefix(comma + 2);
        const std::size_t dash = rest.find(" - ");
        if (dash == std::string_view::npos)
            fail("Malformed header: expected \" - \" and the level");
        std::string_view game = rest.substr(0, dash);
        std::string_view level = rest.substr(dash + 3);
        while (!game.empty()) {
            const std::size_t space = game.find(' ');
            if (space == std::string_view::npos || !is_buy_in_word(game.substr(0, space)))
                break;
            game.remove_prefix(space + 1);
            while (take(game, " ")) {
            }
        }
        if (take(game, "Mixed ") && !take(game, "Hold'em (") && !take(game, "NLH/PLO ("))
            fail("Not a hold'em hand: Mixed " + std::string(game));
        take_suffix(game, ")");
        hand->game.assign(game);
        if (take(level, "Match Round ")) {
            const std::size_t end = level.find(", ");
            if (end == std::string_view::npos || !is_roman(level.substr(0, end)))
                fail("Malformed header: expected the match round and \", \"");
            level.remove_prefix(end + 2);
        }
        if (!take(level, "Level "))
            fail("Malformed header: expected the tournament level");
        const std::size_t open = level.find(" (");
        if (open == std::string_view::npos || !is_roman(level.substr(0, open)))
            fail("Malformed header: expected the level and its blinds");
        stakes = level.substr(open + 2);
    } else {
        // <game> (<stakes>); a mixed game puts both inside one pair of parentheses.
        const std::size_t open = rest.find(" (");
        if (open == std::string_view::npos)
            fail("Malformed header: expected the game and its stakes in parentheses");
        std::string_view game = rest.substr(0, open);
        stakes = rest.substr(open + 2);
        if (starts_with(game, "Mixed ")) {
            const std::size_t inner = stakes.find(", ");
            if (inner == std::string_view::npos)
                fail("Not a hold'em hand: " + std::string(rest));
            game = stakes.substr(0, inner);
            stakes = stakes.substr(inner + 2);
        }
        hand->game.assign(game);
    }
    if (!starts_with(hand->game, "Hold'em "))
        fail("Not a hold'em hand: " + hand->game);
    if (!take_suffix(stakes, ")"))
        fail("Malformed header: expected the stakes to end with \")\"");
    read_stakes(stakes, tournament);
}

// "$0.25/$0.50 USD", "$1/$2 - $40 Cap -  USD", "Rs. 25/Rs. 50 INR", "10/20", "(1/2)".
void CurrentGrammar::read_stakes(std::string_view stakes, bool tournament)
{
    MoneyForm& form = hand->money;
    MoneyText::read_sign(stakes, form);
    form.cents = !tournament && !form.sign.empty();
    std::string_view rest = stakes;
    const std::size_t slash = rest.find('/');
    const std::size_t end = rest.find(' ', slash);
    if (slash == std::string_view::npos
        || !MoneyText::parse(rest.substr(0, slash), form, hand->small_blind)
        || !MoneyText::parse(rest.substr(slash + 1, end - slash - 1), form, hand->big_blind))
        fail("Malformed header: expected the stakes as <small blind>/<big blind>");
    rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end);
    if (take(rest, " - ")) {
        const std::size_t cap_end = rest.find(" Cap - ");
        if (cap_end == std::string_view::npos
            || !MoneyText::parse(rest.substr(0, cap_end), form, hand->cap))
            fail("Malformed header: expected \" - <amount> Cap - \"");
        rest.remove_prefix(cap_end + 6);
    }
    while (take(rest, " ")) {
    }
    if (!rest.empty()) {
        if (rest.size() != 3
            || rest.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string_view::npos)
            fail("Malformed header: expected a three-letter currency after the stakes");
        form.currency.assign(rest);
    }
}

// Table '<name>' [<n>-max ][(Play Money) ]Seat #<n> is the button
void CurrentGrammar::read_table(std::string_view line)
{
    std::string_view rest = line;
    const std::size_t close = rest.rfind("' ");
    if (!take(rest, "Table '") || close == std::string_view::npos || close < 7)
        fail("Expected the table line: Table '<name>' ... Seat #<n> is the button");
    hand->table_name.assign(line.substr(7, close - 7));
    rest = line.substr(close + 2);
    const std::size_t max = rest.find("-max ");
    if (max != std::string_view::npos) {
        if (!to_unsigned(rest.substr(0, max), hand->max_seats) || hand->max_seats < 2
            || hand->max_seats > max_seats)
            fail("Malformed table line: expected 2-max to 10-max");
        rest.remove_prefix(max + 5);
    }
    take(rest, "(Play Money) ");
    if (!take(rest, "Seat #") || !take_suffix(rest, " is the button")
        || !to_unsigned(rest, hand->button_seat))
        fail("Malformed table line: expected \"Seat #<n> is the button\"");
    phase = Phase::seats;
}

// Seat <n>: <name> (<amt> in chips[, <amt> bounty])[ is sitting out| out of hand ...]
bool CurrentGrammar::read_seat(std::string_view line)
{
    if (!take(line, "Seat "))
        return false;
    const std::size_t colon = line.find(": ");
    unsigned number = 0;
    if (colon == std::string_view::npos || !to_unsigned(line.substr(0, colon), number))
        return false;
    const std::size_t chips = line.rfind(" in chips");
    const std::size_t open = chips == std::string_view::npos ? chips : line.rfind(" (", chips);
    if (open == std::string_view::npos || open <= colon + 2)
        fail("Malformed seat line: expected Seat <n>: <name> (<amount> in chips)");
    HandRecord::Seat seat;
    seat.number = number;
    seat.name.assign(line.substr(colon + 2, open - colon - 2));
    seat.stack = amount(line.substr(open + 2, chips - open - 2), "the seat's chips");
    std::string_view rest = line.substr(chips + 9);
    if (take(rest, ", ")) {
        const std::size_t close = rest.find(" bounty)");
        if (close == std::string_view::npos)
            fail("Malformed seat line: expected \", <amount> bounty)\"");
        rest.remove_prefix(close + 8);
    } else if (!take(rest, ")")) {
        fail("Malformed seat line: expected \")\" after \"in chips\"");
    }
    if (rest == " is sitting out")
        seat.sitting_out = true;
    else if (starts_with(rest, " out of hand"))
        seat.out_of_hand = true;
    else if (!rest.empty())
        fail("Malformed seat line: expected nothing, \" is sitting out\" or \" out of hand\" "
             "after the chips");
    for (const HandRecord::Seat& other : hand->seats) {
        if (other.number == number || other.name == seat.name)
            fail("Seat " + std::to_string(number) + " twice, or a name on two seats");
    }
    if (hand->seats.size() == max_seats)
        fail("More than 10 seat lines");
    hand->seats.push_back(std::move(seat));
    return true;
}

// The seat list is complete: names longest first, the ledger set up.
void CurrentGrammar::start_betting()
{
    if (hand->seats.size() < 2)
        fail("Expected at least two seat lines");
    by_length.resize(hand->seats.size());
    stacks.resize(hand->seats.size());
    for (std::size_t i = 0; i < hand->seats.size(); ++i) {
        by_length[i] = i;
        stacks[i] = hand->seats[i].stack;
    }
    std::stable_sort(by_length.begin(), by_length.end(), [&](std::size_t a, std::size_t b) {
        return hand->seats[a].name.size() > hand->seats[b].name.size();
    });
    ledger.reset(stacks, hand->cap);
    phase = Phase::forced_bets;
}

std::size_t CurrentGrammar::seat_named_at_start(std::string_view line, std::string_view after) const
{
    for (const std::size_t seat : by_length) {
        const std::string& name = hand->seats[seat].name;
        if (line.size() > name.size() && starts_with(line, name)
            && after.find(line[name.size()]) != std::string_view::npos)
            return seat;
    }
    return std::string_view::npos;
}

Money CurrentGrammar::amount(std::string_view text, const char* what) const
{
    Money value = 0;
    if (!MoneyText::parse(text, hand->money, value))
        fail(std::string("Malformed amount: expected ") + what + " as "
             + MoneyText::format(hand->big_blind, hand->money) + " is written, found \""
             + std::string(text) + "\"");
    return value;
}

// A fixed-limit header gives the small and the big bet; the big blind is the small bet.
Money CurrentGrammar::live_big_blind() const
{
    const bool fixed_limit = hand->game == "Hold'em Limit";
    return fixed_limit ? hand->small_blind : hand->big_blind;
}

HandRecord::Action& CurrentGrammar::add_action(Kind kind, std::size_t seat)
{
    HandRecord::Action& action = hand->actions.emplace_back();
    action.kind = kind;
    action.street = street;
    action.seat = seat;
    action.run = run;
    action.line = line_number;
    return action;
}

void CurrentGrammar::read(std::string_view line, std::uint32_t number)
{
    line_number = number;
    hand->last_line = number;
    try {
        read_line(line);
    } catch (const HandHistoryError&) {
        if (glued_header(line) != std::string_view::npos)
            fail("The hand is cut off in this line and the next hand's header follows in it");
        throw;
    }
}

void CurrentGrammar::read_line(std::string_view line)
{
    switch (phase) {
    case Phase::table: read_table(line); return;
    case Phase::seats:
        if (read_seat(line))
            return;
        start_betting();
        break;
    case Phase::pot:
        if (starts_with(line, "Total pot ")) {
            read_pot(line);
            return;
        }
        if (!hand->cancelled)
            fail("Expected the Total pot line after *** SUMMARY ***");
        phase = Phase::summary;
        break;
    case Phase::summary:
    case Phase::forced_bets:
    case Phase::betting: break;
    }
    if (phase == Phase::summary) {
        if (!read_summary_line(line) && !is_status_line(line))
            fail("Expected a summary line (Board [...] or Seat <n>: ...) or the next hand");
        return;
    }
    if (read_street(line))
        return;
    if (phase == Phase::betting) {
        std::string_view rest = line;
        if (take(rest, "Uncalled bet (")) {
            read_uncalled(rest);
            return;
        }
        if (take(rest, "Dealt to ")) {
            std::vector<Card> cards;
            const std::size_t open = rest.rfind(" [");
            if (street != Street::preflop || any_move || hand->hero
                || open == std::string_view::npos || !read_cards(rest.substr(open + 1), cards, 2, 2))
                fail("Malformed Dealt to line: expected one Dealt to <name> [<card> <card>] "
                     "before the first move");
            const std::string_view name = rest.substr(0, open);
            for (std::size_t i = 0; i < hand->seats.size(); ++i) {
                if (hand->seats[i].name == name)
                    hand->hero = i;
            }
            if (!hand->hero)
                fail("Dealt to a player without a seat line: " + std::string(name));
            hand->hero_cards = {cards[0], cards[1]};
            return;
        }
        if (line == "Betting is capped")
            return;
    }
    if (phase == Phase::forced_bets && line == "Hand cancelled") {
        hand->cancelled = true;
        return;
    }
    if (read_player_line(line))
        return;

    if (is_status_line(line))
        return;
    if (phase == Phase::forced_bets)
        fail("Expected a forced bet, a status line or *** HOLE CARDS ***");
    fail("Expected a move, a street line, a pot result or *** SUMMARY ***");
}

// *** HOLE CARDS ***, streets (also FIRST/SECOND of a hand run twice), show downs, summary.
bool CurrentGrammar::read_street(std::string_view line)
{
    std::string_view rest = line;
    if (!take(rest, "*** "))
        return false;
    if (rest == "HOLE CARDS ***") {
        if (phase != Phase::forced_bets)
            fail("*** HOLE CARDS *** out of place");
        phase = Phase::betting;
        return true;
    }
    if (rest == "SUMMARY ***" && (phase == Phase::betting || hand->cancelled)) {
        phase = Phase::pot;
        return true;
    }
    if (phase != Phase::betting)
        fail("Expected a forced bet, a status line or *** HOLE CARDS ***");
    unsigned this_run = 0;
    if (take(rest, "FIRST "))
        hand->run_twice = true;
    else if (take(rest, "SECOND ")) {
        hand->run_twice = true;
        this_run = 1;
    }
    if (rest == "SHOW DOWN ***") {
        hand->showdown = true;
        street = Street::showdown;
        run = this_run;
        return true;
    }

    Street next = Street::flop;
    std::size_t shown = flop_cards;
    if (take(rest, "FLOP *** ")) {
        next = Street::flop;
    } else if (take(rest, "TURN *** ")) {
        next = Street::turn;
    } else if (take(rest, "RIVER *** ")) {
        next = Street::river;
    } else {
        fail("Expected *** FLOP ***, *** TURN ***, *** RIVER ***, *** SHOW DOWN *** or "
             "*** SUMMARY ***");
    }
    if (next != Street::flop)
        shown = next == Street::turn ? flop_cards + 1 : flop_cards + 2;
    // "[Jd 3s 7h] [4h]": the board so far, then the new card.
    std::vector<Card> earlier;
    std::vector<Card> added;
    const std::size_t second = rest.find("] [");
    const bool ok = next == Street::flop ? read_cards(rest, added, flop_cards, flop_cards)
                                         : second != std::string_view::npos
                                               && read_cards(rest.substr(0, second + 1), earlier,
                                                             shown - 1, shown - 1)
                                               && read_cards(rest.substr(second + 2), added, 1, 1);
    if (!ok)
        fail("Malformed street line: expected the board in brackets");

    if (this_run == 1 && hand->boards.size() < 2)
        hand->boards.emplace_back();
    std::vector<Card>& board = hand->boards[this_run];
    // The second run starts from the cards both runs share.
    if (this_run == 1 && board.empty())
        board.assign(hand->boards[0].begin(), hand->boards[0].begin()
                                                  + static_cast<std::ptrdiff_t>(std::min(
                                                      earlier.size(), hand->boards[0].size())));
    if (earlier != board || board.size() + added.size() != shown)
        fail("Street line out of order or with another board than before");
    board.insert(board.end(), added.begin(), added.end());
    if (next <= street && this_run == run && street != Street::showdown)
        fail("Street line out of order");
    street = next;
    run = this_run;
    ledger.new_street();
    return true;
}

// Lines that start with a seated player's name.
bool CurrentGrammar::read_player_line(std::string_view line)
{
    const std::size_t seat = seat_named_at_start(line, ": ,");
    if (seat == std::string_view::npos)
        return false;
    std::string_view rest = line.substr(hand->seats[seat].name.size());
    if (take(rest, ": ")) {
        if (rest == "sits out" || rest == "is sitting out")
            return true;
        if (take(rest, "posts ")) {
            if (phase != Phase::forced_bets)
                fail("A forced bet after *** HOLE CARDS ***");
            read_post(seat, rest);
            return true;
        }
        if (phase != Phase::betting)
            fail("Expected a forced bet, a status line or *** HOLE CARDS ***");
        read_move(seat, rest);
        return true;
    }
    if (take(rest, ", "))
        return rest.find(" split the ") != std::string_view::npos
               && ends_with(rest.substr(0, rest.find(" for eliminating ")), " bounty");
    take(rest, " ");
    return read_player_status(seat, rest);
}

// posts small blind / big blind / small & big blinds / the ante / straddle <amt>
void CurrentGrammar::read_post(std::size_t seat, std::string_view rest)
{
    const bool all_in = take_suffix(rest, all_in_suffix);
    Kind kind = Kind::big_blind;
    bool straddle = false;
    if (take(rest, "small blind ")) {
        kind = small_blind_posted ? Kind::dead_blind : Kind::small_blind;
        small_blind_posted = true;
    } else if (take(rest, "big blind ")) {
        kind = Kind::big_blind;
    } else if (take(rest, "straddle ")) {
        straddle = true;
        kind = Kind::big_blind;
    } else if (take(rest, "the ante ")) {
        kind = Kind::ante;
    } else if (take(rest, "small & big blinds ")) {
        // Only the big blind's part is a live bet; the small blind's part is dead money.
        const Money total = amount(rest, "the blinds");
        const Money live = std::min(total, live_big_blind());
        HandRecord::Action& big = add_action(Kind::big_blind, seat);
        big.amount = live;
        big.all_in = all_in;
        ledger.live_blind(seat, live);
        if (total > live) {
            add_action(Kind::dead_blind, seat).amount = total - live;
            ledger.dead_blind(seat, total - live);
        }
        if (!ledger.within_limits(seat))
            fail("More than the player's chips or the cap: " + hand->seats[seat].name);
        return;
    } else {
        fail("Malformed post: expected small blind, big blind, small & big blinds or the ante");
    }
    HandRecord::Action& action = add_action(kind, seat);
    action.amount = amount(rest, "the forced bet");
    // A blind above the header's stakes means the header is wrong; the 2005-2007 text
    // reports a faulty header as its older readers always have.
    const Money blind_limit = kind == Kind::big_blind         ? live_big_blind()
                              : hand->game == "Hold'em Limit" ? live_big_blind()
                                                              : hand->small_blind;
    if (kind != Kind::ante && !straddle && action.amount > blind_limit) {
        if (old_date_form)
            throw HandHistoryError("Malformed game header1", hand->first_line);
        fail("Blind mismatch: " + hand->seats[seat].name + " posts "
             + MoneyText::format(action.amount, hand->money) + ", the header's blind is "
             + MoneyText::format(blind_limit, hand->money));
    }
    if (kind == Kind::ante)
        ledger.ante(seat, action.amount);
    else if (kind == Kind::dead_blind)
        ledger.dead_blind(seat, action.amount);
    else
        ledger.live_blind(seat, action.amount);
    if (!ledger.within_limits(seat))
        fail("More than the player's chips or the cap: " + hand->seats[seat].name);
    action.all_in = all_in || ledger.all_in(seat);
}

// folds, checks, calls, bets, raises; shows, mucks and doesn't show at the end.
void CurrentGrammar::read_move(std::size_t seat, std::string_view rest)
{
    if (rest == "checks") {
        if (ledger.street_bet(seat) != ledger.highest_street_bet())
            fail("A check facing a bet: " + hand->seats[seat].name);
        add_action(Kind::check, seat);
        any_move = true;
        return;
    }
    if (take(rest, "folds")) {
        HandRecord::Action& action = add_action(Kind::fold, seat);
        if (!rest.empty() && !(take(rest, " ") && read_cards(rest, action.cards, 1, 2)))
            fail("Malformed fold: expected \"folds\" or \"folds [<cards>]\"");
        any_move = true;
        return;
    }
    if (rest == "mucks hand" || rest == "doesn't show hand") {
        add_action(Kind::mucks, seat);
        return;
    }
    if (take(rest, "shows ")) {
        HandRecord::Action& action = add_action(Kind::shows, seat);
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos
            || !read_cards(rest.substr(0, close + 1), action.cards, 1, 2))
            fail("Malformed shows line: expected shows [<cards>] (<description>)");
        rest.remove_prefix(close + 1);
        if (!rest.empty() && !(starts_with(rest, " (") && ends_with(rest, ")")))
            fail("Malformed shows line: expected the description in parentheses");
        return;
    }

    // Betting: " and has reached the <amt> cap", " and is all-in" come last.
    const std::size_t cap_at = rest.find(cap_infix);
    const bool capped = cap_at != std::string_view::npos;
    if (capped) {
        std::string_view cap = rest.substr(cap_at + cap_infix.size());
        if (!take_suffix(cap, " cap") || amount(cap, "the cap") != hand->cap || hand->cap == 0)
            fail("Malformed cap: expected \" and has reached the <cap> cap\" of the header's cap");
        rest = rest.substr(0, cap_at);
    }
    const bool all_in = take_suffix(rest, all_in_suffix);
    // Pre-flop the big blind is the bet to match even when its poster had less.
    const Money highest = street == Street::preflop
                              ? std::max(ledger.highest_street_bet(), live_big_blind())
                              : ledger.highest_street_bet();
    HandRecord::Action* action = nullptr;
    if (take(rest, "calls ")) {
        action = &add_action(Kind::call, seat);
        action->amount = amount(rest, "the call");
        if (ledger.street_bet(seat) + action->amount > highest || action->amount <= 0)
            fail("A call of more than the bet to match: " + hand->seats[seat].name);
        ledger.add(seat, action->amount);
        // Only a player with nothing left may call for less than the bet.
        if (ledger.street_bet(seat) < highest && !all_in && !ledger.all_in(seat))
            fail("A call for less than the bet to match: " + hand->seats[seat].name);
    } else if (take(rest, "bets ")) {
        action = &add_action(Kind::bet, seat);
        action->amount = amount(rest, "the bet");
        if (highest != 0 || action->amount <= 0)
            fail("A bet where a bet was already made: " + hand->seats[seat].name);
        ledger.add(seat, action->amount);
    } else if (take(rest, "raises ")) {
        const std::size_t to = rest.find(" to ");
        if (to == std::string_view::npos)
            fail("Malformed raise: expected raises <amount> to <amount>");
        if (highest == 0)
            fail("A raise where no bet was made: " + hand->seats[seat].name);
        action = &add_action(Kind::raise, seat);
        const Money by = amount(rest.substr(0, to), "the raise");
        action->to = amount(rest.substr(to + 4), "the raise's total");
        action->amount = ledger.raise_to(seat, action->to);
        // The first amount is the raise over the largest bet so far.
        if (action->amount < 0 || action->to - highest != by)
            fail("Raise mismatch: raises " + MoneyText::format(by, hand->money) + " to "
                 + MoneyText::format(action->to, hand->money) + " over a bet of "
                 + MoneyText::format(highest, hand->money));
    } else {
        fail("Malformed move: expected folds, checks, calls, bets, raises, shows or mucks hand");
    }
    // A player who reached the cap, or whose chips are all in, can put in no more.
    action->all_in = all_in || capped || ledger.all_in(seat);
    any_move = true;
    if (!ledger.within_limits(seat))
        fail("More than the player's chips or the cap: " + hand->seats[seat].name);
    if (all_in && !ledger.all_in(seat))
        fail("All-in with chips left: " + hand->seats[seat].name);
}

// Lines "<name> <something>": pots collected, cash-outs, tournament results, status.
bool CurrentGrammar::read_player_status(std::size_t seat, std::string_view rest)
{
    if (take(rest, "collected ")) {
        const std::size_t from = rest.find(" from ");
        if (phase != Phase::betting || from == std::string_view::npos)
            fail("Malformed collect line: expected <name> collected <amount> from pot");
        HandRecord::Action& action = add_action(Kind::collect, seat);
        action.amount = amount(rest.substr(0, from), "the amount collected");
        std::string_view pot = rest.substr(from + 6);
        if (pot == "pot" || pot == "main pot") {
            action.pot = 0;
        } else if (pot == "side pot") {
            action.pot = 1;
        } else if (!take(pot, "side pot-") || !to_unsigned(pot, action.pot) || action.pot == 0) {
            fail("Malformed collect line: expected from pot, main pot, side pot or side pot-<n>");
        }
        ledger.collected(seat, action.amount);
        return true;
    }
    if (take(rest, "cashed out the hand for ")) {
        HandRecord::Action& action = add_action(Kind::cash_out, seat);
        const std::size_t fee = rest.find(" | Cash Out Fee ");
        action.amount = amount(rest.substr(0, fee), "the cash-out");
        if (fee != std::string_view::npos)
            amount(rest.substr(fee + 16), "the cash-out fee");
        return true;
    }
    // Tournament results and re-buys: the prize is money even at a chip table.
    if (starts_with(rest, "finished the tournament") || starts_with(rest, "wins the tournament")
        || starts_with(rest, "wins an entry to tournament #")
        || starts_with(rest, "re-buys and receives ")
        || (starts_with(rest, "wins ") && rest.find(" for eliminating ") != std::string_view::npos)
        || (starts_with(rest, "wins ")
            && rest.find(" for splitting the elimination of ") != std::string_view::npos))
        return phase == Phase::betting;
    return false;
}

// Uncalled bet (<amt>) returned to <name>
void CurrentGrammar::read_uncalled(std::string_view rest)
{
    const std::size_t close = rest.find(") returned to ");
    if (close == std::string_view::npos)
        fail("Malformed uncalled bet: expected Uncalled bet (<amount>) returned to <name>");
    const Money returned = amount(rest.substr(0, close), "the uncalled bet");
    const std::string_view name = rest.substr(close + 14);
    for (std::size_t seat = 0; seat < hand->seats.size(); ++seat) {
        if (hand->seats[seat].name != name)
            continue;
        if (!ledger.returned(seat, returned))
            fail("Uncalled bet mismatch: " + MoneyText::format(returned, hand->money)
                 + " returned to " + std::string(name) + ", who bet "
                 + MoneyText::format(ledger.street_bet(seat), hand->money) + " on this street");
        add_action(Kind::uncalled, seat).amount = returned;
        return;
    }
    fail("Uncalled bet returned to a player without a seat line: " + std::string(name));
}

// Total pot <amt>[ Main pot <amt>.[ Side pot[-<n>] <amt>.]...] | Rake <amt>
void CurrentGrammar::read_pot(std::string_view line)
{
    pot_line = line_number;
    std::string_view rest = line.substr(10);
    const std::size_t rake = rest.find(" | Rake ");
    if (rake == std::string_view::npos)
        fail("Malformed pot line: expected Total pot <amount> | Rake <amount>");
    hand->rake = amount(rest.substr(rake + 8), "the rake");
    rest = rest.substr(0, rake);
    const std::size_t main = rest.find(" Main pot ");
    hand->total_pot = amount(rest.substr(0, main), "the total pot");
    if (main != std::string_view::npos) {
        rest.remove_prefix(main + 10);
        for (bool first = true; !rest.empty(); first = false) {
            if (!first) {
                if (!take(rest, " Side pot"))
                    fail("Malformed pot line: expected Side pot <amount>.");
                unsigned number = 0;
                const std::size_t space = rest.find(' ');
                if (take(rest, "-") && !to_unsigned(rest.substr(0, space - 1), number))
                    fail("Malformed pot line: expected Side pot-<n>");
                rest.remove_prefix(rest.find(' ') + 1);
            }
            const std::size_t point = rest.find(". ");
            const std::size_t end = point == std::string_view::npos ? rest.size() - 1 : point;
            if (rest.empty() || rest[end] != '.')
                fail("Malformed pot line: expected a point after each pot");
            hand->side_pots.push_back(amount(rest.substr(0, end), "the pot"));
            rest.remove_prefix(end + 1);
        }
    }
    phase = Phase::summary;
}

bool CurrentGrammar::read_summary_line(std::string_view line)
{
    if (line == "Hand was run twice") {
        if (!hand->run_twice)
            fail("Hand was run twice, but no street was");
        return true;
    }
    std::string_view rest = line;
    const bool second = take(rest, "SECOND ");
    const bool first = !second && take(rest, "FIRST ");
    if (take(rest, "Board ")) {
        std::vector<Card> cards;
        const std::size_t board = second ? 1 : 0;
        if (!read_cards(rest, cards, 1, board_cards) || board >= hand->boards.size()
            || cards != hand->boards[board] || (first != second) != hand->run_twice)
            fail("Board mismatch: the summary's board is not the one the streets dealt");
        return true;
    }
    if (first || second || !starts_with(line, "Seat "))
        return false;
    read_summary_seat(line);
    return true;
}

// Seat <n>: <name>[ (button)][ (small blind)|(big blind)] <result>; the amounts won must
// be what the player's collect lines took.
void CurrentGrammar::read_summary_seat(std::string_view line)
{
    std::string_view rest = line.substr(5);
    const std::size_t colon = rest.find(": ");
    unsigned number = 0;
    if (colon == std::string_view::npos || !to_unsigned(rest.substr(0, colon), number))
        fail("Malformed summary line: expected Seat <n>: <name> ...");
    rest.remove_prefix(colon + 2);
    std::size_t seat = 0;
    while (seat < hand->seats.size()
           && !(hand->seats[seat].number == number && starts_with(rest, hand->seats[seat].name)))
        ++seat;
    if (seat == hand->seats.size())
        fail("Summary line for a seat the seat lines do not have: Seat " + std::to_string(number));
    rest.remove_prefix(hand->seats[seat].name.size());

    Money won = 0;
    for (std::string_view clause : {std::string_view("won ("), std::string_view("collected (")}) {
        for (std::size_t at = rest.find(clause); at != std::string_view::npos;
             at = rest.find(clause, at + 1)) {
            const std::size_t close = rest.find(')', at);
            if (close == std::string_view::npos)
                fail("Malformed summary line: expected ( <amount> )");
            won += amount(rest.substr(at + clause.size(), close - at - clause.size()),
                          "the amount won");
        }
    }
    if (rest.find("(pot not awarded as player cashed out)") != std::string_view::npos) {
        ledger.cashed_out_pot(won - ledger.collected_by(seat));
        return;
    }
    if (won != ledger.collected_by(seat))
        fail("Summary mismatch: Seat " + std::to_string(number) + " won "
             + MoneyText::format(won, hand->money) + ", the collect lines give "
             + MoneyText::format(ledger.collected_by(seat), hand->money));
}

void CurrentGrammar::end()
{
    if (phase != Phase::summary)
        fail("The hand ends before its summary");
    if (hand->cancelled)
        return;
    line_number = pot_line;
    ledger.check(hand->total_pot, hand->rake, hand->side_pots, hand->money, pot_line);
    // Without a returned line the summary may count matched money only.
    hand->uncalled_lines = hand->total_pot == ledger.pot();
}

} // namespace poker::texas_holdem::pokerstars
