#include "app/Corvald.h"

#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <iostream>
#include <iterator>

#include "app/DecisionPanel.h"
#include "console/Colour.h"
#include "console/Console.h"
#include "console/Cursor.h"
#include "texas_holdem/pokerstars/MoneyText.h"

namespace poker::texas_holdem {

namespace {

// The table's felt and the grid its card places sit on (one cell of margin, 4-cell
// places one cell apart).
constexpr int table_left = 17;
constexpr int table_top = 7;
constexpr int table_width = 21;
constexpr int table_height = 16;

// Grid place (column, row) of each of the calculator's seven cards: the hole cards one
// above the other, the flop in the second column, turn and river to its right.
struct CardPlace {
    int column;
    int row;
};
constexpr CardPlace card_places[] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {1, 2}, {2, 0}, {3, 0}};

constexpr int chances_top = 24;
constexpr int stake_to_match_row = 41;
constexpr int players_top = 43;
constexpr int names_x = 1;
constexpr int name_width = 16;

// Every column has one row per possible player; nothing is drawn below the 16th, so
// the chances can never run into the stakes under them.
constexpr unsigned column_rows = Corvald::max_players;

// Both number formats are exactly this wide: the width of a round's column.
constexpr int field_width = 4;
const char unreadable[] = "XXXX";
constexpr float amount_limit = 9999.0f;

// What is left of the table area when a hand is over: black on black, rows 7 to 57,
// columns 1 to 39.
constexpr int blank_left = 1;
constexpr unsigned blank_width = 39;
constexpr int blank_top = 7;
constexpr int blank_bottom = 57;
// The last row a hand draws on: the sixteenth player's.
constexpr int last_player_row = 58;

const char blanks[] = "                "; // one name field wide

void write_blanks(int count)
{
    std::cout.write(blanks, count);
}

// `text` receives field_width characters and a NUL.
void format_amount(float amount, char (&text)[16])
{
    // Truncation toward zero gives 0 to 9999 exactly for amounts above -1 and below
    // 10000; the comparisons are false for a NaN, and the conversion happens only in
    // range, so an infinite or huge amount never reaches it.
    if (!(amount > -1.0f && amount < amount_limit + 1.0f)) {
        std::snprintf(text, sizeof text, "%s", unreadable);
        return;
    }
    std::snprintf(text, sizeof text, "%*d", field_width, static_cast<int>(amount));
}

void format_percentage(double probability, char (&text)[16])
{
    if (!(probability >= 0.0 && probability <= 1.0)) {
        std::snprintf(text, sizeof text, "%s", unreadable);
        return;
    }
    // Half up: 0.125 shows as 13%.
    const int percent = static_cast<int>(probability * 100.0 + 0.5);
    std::snprintf(text, sizeof text, "%*d%%", field_width - 1, percent);
}

unsigned player_count(const Game& game)
{
    return static_cast<unsigned>(game.history.player_stakes.size());
}

unsigned shown_rows(unsigned count)
{
    return count < column_rows ? count : column_rows;
}

} // namespace

Corvald::Corvald()
    : all_opponents_weight(opponents_weight), calculator(random_seed),
      no_simulated_hands(simulated_hands)
{
}

// Only the attributes change: the characters stay in the cells, invisible until the next
// hand draws over them or colours them again. Rows 0 to 6 (hand line, prompts) and the
// cells right of column 39 are left alone.
Corvald::~Corvald()
{
    console::Console& screen = console::Console::current();
    for (int y = blank_top; y <= blank_bottom; ++y)
        screen.fill_attribute(blank_left, y, console::colour::invisible, blank_width);
    if (show_panel)
        DecisionPanel::blank();
}

void Corvald::clear_table_area(bool with_panel)
{
    console::Console& screen = console::Console::current();
    for (int y = blank_top; y <= last_player_row; ++y) {
        screen.fill_character(blank_left, y, ' ', blank_width);
        screen.fill_attribute(blank_left, y, console::colour::invisible, blank_width);
    }
    if (!with_panel)
        return;
    for (int y = DecisionPanel::top; y <= DecisionPanel::bottom; ++y) {
        screen.fill_character(DecisionPanel::left, y, ' ', DecisionPanel::width);
        screen.fill_attribute(DecisionPanel::left, y, console::colour::invisible,
                              DecisionPanel::width);
    }
}

void Corvald::go(Sequencer& sequencer)
{
    const Sequencer::NewGame new_game = sequencer.request_new_game(max_players);
    const std::vector<std::string>& players = new_game.players;
    // The input sources guarantee 1 to max_players names. Without a player there is no
    // hand to play (the model's turn order and the calculator's opponent count both
    // need one), so a source that breaks the contract gets an unplayed hand.
    assert(!players.empty() && players.size() <= max_players);
    if (players.empty())
        return;

    calculator.setup(static_cast<unsigned>(players.size() - 1));
    game.new_hand(players);
    game.opener = new_game.opener;
    hero = new_game.hero;
    compact_amounts = new_game.compact_amounts;
    amounts_in_cents = new_game.amounts_in_cents;
    calculate();
    refresh(true);

    // Player 0 posts the first blind, player 1 the second (player 0 again when alone).
    float all_in_stake = 0;
    for (int blind = 0; blind < 2; ++blind) {
        const unsigned player = game.current_player;
        game.blind(sequencer.request_blind(game.history.names[player]));
        if (sequencer.all_in_stake(all_in_stake))
            game.mark_all_in(player);
        refresh(true);
    }

    while (game.round != Game::showdown) {
        refresh(false);
        request_cards(sequencer, game.round);
        calculate();
        refresh(true);

        while (!game.round_over()) {
            const std::string name = game.history.names[game.current_player];
            const float move = sequencer.request_move(name);
            if (sequencer.all_in_stake(all_in_stake))
                game.all_in_move(all_in_stake);
            else
                game.apply_move(move);
            refresh(true);
        }
        game.advance_round(round_cards);
    }

    sequencer.notify_end_game(game.history);
}

void Corvald::request_cards(Sequencer& sequencer, Game::Round round)
{
    round_cards = sequencer.request_cards(round);
    const auto wanted = static_cast<std::size_t>(Game::cards_dealt_in_round(round));
    // The input sources return exactly the round's cards. Should one fall short in a
    // build without assertions, the missing cards are unknown (dealt at random by the
    // simulation) and extra ones are dropped, so no card is read past the end.
    assert(round_cards.size() == wanted);
    round_cards.resize(wanted);

    switch (round) {
    case Game::hole: calculator.set_hole(round_cards[0], round_cards[1]); break;
    case Game::flop: calculator.set_flop(round_cards[0], round_cards[1], round_cards[2]); break;
    case Game::turn: calculator.set_turn(round_cards[0]); break;
    case Game::river: calculator.set_river(round_cards[0]); break;
    case Game::showdown: break;
    }
}

void Corvald::calculate()
{
    calculator.simulate_hands(no_simulated_hands);
}

void Corvald::refresh(bool show_current)
{
    draw_table();
    show_players(show_current);
    show_stakes();
    highlight_stakes();
    show_win_probs();
    highlight_win_probs();
    if (show_panel)
        DecisionPanel::draw(game, calculator, all_opponents_weight, show_current);
}

void Corvald::draw_table()
{
    console::Console& screen = console::Console::current();
    for (int y = table_top; y < table_top + table_height; ++y)
        screen.fill_attribute(table_left, y, console::colour::table_green, table_width);

    const std::size_t cards = calculator.user_cards.size();
    for (std::size_t i = 0; i < cards && i < std::size(card_places); ++i)
        print_card(table_left, table_top, card_places[i].column, card_places[i].row,
                   calculator.user_cards[i]);
}

// A name longer than its field is written whole and pushes the marker right.
void Corvald::show_players(bool show_current)
{
    console::Cursor::position(names_x, players_top);
    const unsigned players = shown_rows(player_count(game));
    for (unsigned i = 0; i < players; ++i) {
        const std::string& name = game.history.names[i];
        if (name.size() < static_cast<std::size_t>(name_width))
            write_blanks(name_width - static_cast<int>(name.size()));
        std::cout << name << (show_current && i == game.current_player ? '*' : ' ');
        console::Cursor::next_line();
    }
    for (unsigned i = players; i < column_rows; ++i) {
        write_blanks(field_width + 1);
        console::Cursor::next_line();
    }
}

void Corvald::show_stakes()
{
    console::Cursor::position(round_col(), stake_to_match_row);
    print_number(game.history.stakes_to_match.back());
    console::Cursor::next_line();
    console::Cursor::next_line();

    const unsigned players = shown_rows(player_count(game));
    for (unsigned i = 0; i < players; ++i) {
        print_number(game.history.player_stakes[i].back());
        console::Cursor::next_line();
    }
    for (unsigned i = players; i < column_rows; ++i) {
        write_blanks(field_width + 1);
        console::Cursor::next_line();
    }
}

// Only the current round's column is coloured, so a stake turns red from the round of
// the fold on and the earlier columns keep their colours.
void Corvald::highlight_stakes()
{
    console::Cursor::position(round_col(), stake_to_match_row);
    console::Cursor::colour(console::colour::dark_green, 0, field_width);
    console::Cursor::next_line();
    console::Cursor::next_line();

    const unsigned players = shown_rows(player_count(game));
    for (unsigned i = 0; i < players; ++i) {
        const unsigned short attribute = game.folded[i] ? console::colour::bright_red
                                         : hero == static_cast<int>(i)
                                             ? console::colour::bright_cyan
                                             : console::colour::white;
        console::Cursor::colour(attribute, 0, field_width);
        console::Cursor::next_line();
    }
}

// One row per possible number of opponents, 0 to all of those dealt in; folds do not
// change the rows, only which one is highlighted.
void Corvald::show_win_probs()
{
    console::Cursor::position(round_col(), chances_top);
    const unsigned rows = shown_rows(calculator.no_opponents() + 1);
    for (unsigned k = 0; k < rows; ++k) {
        print_percentage(calculator.probability(k, all_opponents_weight));
        console::Cursor::next_line();
    }
    for (unsigned k = rows; k < column_rows; ++k) {
        write_blanks(field_width);
        console::Cursor::next_line();
    }
}

// Yellow marks the chance against the opponents still in: the players who have not
// folded, less the user.
void Corvald::highlight_win_probs()
{
    console::Cursor::position(round_col(), chances_top);
    const unsigned players = shown_rows(player_count(game));
    const unsigned active = game.no_active_players();
    for (unsigned k = 0; k < players; ++k) {
        const unsigned short attribute = k + 1 == active ? console::colour::bright_yellow
                                                         : console::colour::white;
        console::Cursor::colour(attribute, 0, field_width);
        console::Cursor::next_line();
    }
}

void Corvald::print_string(std::string text)
{
    std::cout << text;
}

// A replayed hand's exact amounts always take the compact form. Typed amounts keep the
// whole-number form, but the whole part of 0.5 (0) and the "XXXX" of 10,000 and more hid
// the amount: those take the compact form too.
void Corvald::print_number(float amount)
{
    constexpr float cents_per_unit = 100.0f;
    const bool mended = amount > 0.0f && amount < pokerstars::MoneyText::billion_units
                        && (amount < 1.0f || amount >= amount_limit + 1.0f);
    if (compact_amounts || mended) {
        const bool cents = !compact_amounts || amounts_in_cents;
        const float units = compact_amounts ? amount : amount * cents_per_unit;
        const auto cell = pokerstars::MoneyText::compact(
            units > -1.0f ? static_cast<pokerstars::Money>(std::llround(units)) : -1, cents);
        std::cout.write(cell.data(), field_width);
        return;
    }
    char text[16];
    format_amount(amount, text);
    std::cout.write(text, field_width);
}

void Corvald::print_percentage(double probability)
{
    char text[16];
    format_percentage(probability, text);
    std::cout.write(text, field_width);
}

int Corvald::round_col()
{
    switch (game.round) {
    case Game::hole: return 18;
    case Game::flop: return 23;
    case Game::turn: return 28;
    case Game::river: return 33;
    case Game::showdown: return 0;
    }
    return 0;
}

void print_card(int left, int top, int column, int row, Card card)
{
    constexpr int step = 5; // a 4-cell place and one cell between places
    card.print_at(left + step * column + 1, top + step * row + 1);
}

} // namespace poker::texas_holdem
