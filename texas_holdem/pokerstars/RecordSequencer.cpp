#include "texas_holdem/pokerstars/RecordSequencer.h"

#include <algorithm>

#include "console/CodePage437.h"
#include "texas_holdem/pokerstars/HandHistoryError.h"

namespace poker::texas_holdem::pokerstars {

namespace {

using Kind = HandRecord::Action::Kind;

constexpr std::size_t betting_rounds = 4;

bool is_betting(Kind kind)
{
    switch (kind) {
    case Kind::ante:
    case Kind::small_blind:
    case Kind::big_blind:
    case Kind::dead_blind:
    case Kind::fold:
    case Kind::check:
    case Kind::call:
    case Kind::bet:
    case Kind::raise: return true;
    default: return false;
    }
}

} // namespace

// Players dealt in are those with a forced bet or a move. They are taken in seat order
// from the big blind's poster, who is player 1; the seat after the button opens the
// rounds after hole (heads-up the button posts the small blind and the big blind opens).
RecordSequencer::RecordSequencer(const HandRecord& record) : hand(record)
{
    std::vector<bool> dealt(hand.seats.size(), false);
    std::size_t big_blind = hand.seats.size();
    for (const HandRecord::Action& action : hand.actions) {
        if (!is_betting(action.kind))
            continue;
        dealt[action.seat] = true;
        if (action.kind == Kind::big_blind && big_blind == hand.seats.size())
            big_blind = action.seat;
    }
    // Seat lines in seat-number order.
    std::vector<std::size_t> by_number(hand.seats.size());
    for (std::size_t i = 0; i < by_number.size(); ++i)
        by_number[i] = i;
    std::sort(by_number.begin(), by_number.end(), [&](std::size_t a, std::size_t b) {
        return hand.seats[a].number < hand.seats[b].number;
    });
    for (const std::size_t seat : by_number) {
        if (dealt[seat])
            seats.push_back(seat);
    }
    if (seats.size() < 2)
        fail("Fewer than two players dealt in", hand.first_line);
    // Rotate: the big blind's poster (or, without one, the seat after the button's) second.
    std::size_t after_button = 0;
    while (after_button < seats.size() && hand.seats[seats[after_button]].number <= hand.button_seat)
        ++after_button;
    after_button %= seats.size();
    const auto big_at = std::find(seats.begin(), seats.end(), big_blind);
    const std::size_t second = big_at == seats.end()
                                   ? (after_button + 1) % seats.size()
                                   : static_cast<std::size_t>(big_at - seats.begin());
    const std::size_t shift = (second + seats.size() - 1) % seats.size();
    std::rotate(seats.begin(), seats.begin() + static_cast<std::ptrdiff_t>(shift), seats.end());
    after_button = (after_button + seats.size() - shift) % seats.size();

    std::vector<std::size_t> index_of(hand.seats.size(), seats.size());
    // Names as the table's cells show them; two that come out alike get their seat number.
    for (std::size_t i = 0; i < seats.size(); ++i) {
        index_of[seats[i]] = i;
        std::string shown = console::CodePage437::from_utf8(hand.seats[seats[i]].name);
        if (std::find(names.begin(), names.end(), shown) != names.end())
            shown += "#" + std::to_string(hand.seats[seats[i]].number);
        names.push_back(std::move(shown));
    }
    blinds.assign(seats.size(), 0);
    all_in_by_blind.assign(seats.size(), false);
    totals.assign(seats.size(), 0);
    all_in_already.assign(seats.size(), false);

    // Each move's hand total: blinds and the street's betting, antes and dead blinds out.
    std::vector<Money> running(seats.size(), 0);
    for (const HandRecord::Action& action : hand.actions) {
        const std::size_t player = index_of[action.seat];
        const auto street = static_cast<std::size_t>(action.street);
        if (!is_betting(action.kind) || player == seats.size() || street >= betting_rounds)
            continue;
        switch (action.kind) {
        case Kind::ante:
        case Kind::dead_blind:
            all_in_already[player] = all_in_already[player] || action.all_in;
            continue;
        case Kind::small_blind:
        case Kind::big_blind:
            running[player] += action.amount;
            if (player < 2 && blinds[player] == 0) {
                blinds[player] = action.amount;
                all_in_by_blind[player] = action.all_in;
            } else {
                all_in_already[player] = all_in_already[player] || action.all_in;
            }
            continue;
        case Kind::call:
        case Kind::bet:
        case Kind::raise: running[player] += action.amount; break;
        default: break;
        }
        moves[street].push_back(
            Move{player, action.kind == Kind::fold, action.all_in, running[player], action.line});
    }
    opener_index = after_button;
}

void RecordSequencer::fail(const std::string& message, std::uint32_t line) const
{
    throw HandHistoryError(message, line);
}

std::size_t RecordSequencer::player_index(const std::string& name) const
{
    const auto found = std::find(names.begin(), names.end(), name);
    return static_cast<std::size_t>(found - names.begin());
}

Sequencer::NewGame RecordSequencer::request_new_game(unsigned max_players)
{
    if (names.size() > max_players)
        fail("More players than the table has rows", hand.first_line);
    NewGame game;
    game.players = names;
    game.table_name = hand.table_name;
    game.game_id = hand.hand_id;
    game.opener = static_cast<unsigned>(opener_index);
    if (hand.hero) {
        const auto at = std::find(seats.begin(), seats.end(), *hand.hero);
        if (at != seats.end())
            game.hero = static_cast<int>(at - seats.begin());
    }
    game.compact_amounts = true;
    game.amounts_in_cents = hand.money.cents;
    return game;
}

// The driver asks player 0, then player 1: their posted blinds, 0 for none.
float RecordSequencer::request_blind(std::string player)
{
    const std::size_t index = player_index(player);
    const Money amount = index < 2 ? blinds[index] : 0;
    totals[index] = amount;
    to_match = amount;
    all_in_pending = index < 2 && all_in_by_blind[index];
    all_in_total = amount;
    if (all_in_pending)
        all_in_already[index] = true;
    return static_cast<float>(amount);
}

std::vector<Card> RecordSequencer::request_cards(Game::Round round_asked)
{
    const auto asked = static_cast<int>(round_asked);
    if (asked > 0 && next_move < moves[asked - 1].size())
        fail("The driver closed the betting before this move", moves[asked - 1][next_move].line);
    round = asked;
    next_move = 0;
    std::vector<Card> cards(static_cast<std::size_t>(Game::cards_dealt_in_round(round_asked)));
    if (round_asked == Game::hole) {
        if (hand.hero && std::find(seats.begin(), seats.end(), *hand.hero) != seats.end()) {
            cards[0] = hand.hero_cards[0];
            cards[1] = hand.hero_cards[1];
        }
        return cards;
    }
    // The flop is the board's first three cards, the turn the fourth, the river the fifth.
    const std::size_t first = round_asked == Game::flop ? 0 : round_asked == Game::turn ? 3 : 4;
    const std::vector<Card>& board = hand.boards[0];
    if (board.size() < first + cards.size())
        fail("The hand history deals no "
                 + std::string(round_asked == Game::flop   ? "flop"
                               : round_asked == Game::turn ? "turn"
                                                           : "river"),
             hand.last_line);
    std::copy_n(board.begin() + static_cast<std::ptrdiff_t>(first), cards.size(), cards.begin());
    return cards;
}

// The next move of the round must be this player's; a player all-in since his ante or a
// blind answers all-in at his total.
float RecordSequencer::request_move(std::string player)
{
    const std::size_t index = player_index(player);
    const std::vector<Move>& round_moves = moves[round];
    if (next_move >= round_moves.size() || round_moves[next_move].player != index) {
        if (all_in_already[index]) {
            all_in_pending = true;
            all_in_total = totals[index];
            return 0;
        }
        const std::uint32_t line = next_move < round_moves.size() ? round_moves[next_move].line
                                                                  : hand.last_line;
        fail("Move order mismatch: the table expects a move of " + player + " here", line);
    }
    const Move& move = round_moves[next_move++];
    if (move.fold)
        return fold_amount;
    totals[index] = move.total;
    if (move.all_in || move.total < to_match) {
        if (!move.all_in)
            fail("A call for less than the stake to match without all-in", move.line);
        all_in_already[index] = true;
        all_in_pending = true;
        all_in_total = move.total;
        to_match = std::max(to_match, move.total);
        return 0;
    }
    const Money raise_by = move.total - to_match;
    to_match = move.total;
    return static_cast<float>(raise_by);
}

// The driver's last stakes must be the record's totals: what the table showed is what
// the file says each player put in.
void RecordSequencer::notify_end_game(const GameHistory& history)
{
    if (next_move < moves[round].size())
        fail("The driver ended the hand before this move", moves[round][next_move].line);
    for (std::size_t i = 0; i < names.size() && i < history.player_stakes.size(); ++i) {
        if (history.player_stakes[i].back() != static_cast<float>(totals[i]))
            fail("The table's stake of " + names[i] + " is not what the hand history says",
                 hand.last_line);
    }
}

bool RecordSequencer::all_in_stake(float& stake)
{
    if (!all_in_pending)
        return false;
    all_in_pending = false;
    stake = static_cast<float>(all_in_total);
    return true;
}

} // namespace poker::texas_holdem::pokerstars
