#ifndef CORVALD_APP_CORVALD_H
#define CORVALD_APP_CORVALD_H

#include <string>
#include <vector>

#include "poker/Card.h"
#include "texas_holdem/Calculator.h"
#include "texas_holdem/Game.h"
#include "texas_holdem/Sequencer.h"

namespace poker::texas_holdem {

// Plays one hand against an input source and shows it as the table view: the green
// table with the seven card places, the winning chance against every number of opponents
// and every player's stake, one column per betting round (the column of that round's
// cards). Built fresh for every hand, so each hand's simulation starts from the same
// seed; its destruction makes the table area invisible for the next hand.
//
// Screen: table rows 7-22 columns 17-37; chances rows 24-39; stake to match row 41;
// players rows 43-58 (names right-aligned in columns 1-16, turn marker in column 17).
class Corvald {
public:
    static constexpr unsigned max_players = 16;
    static constexpr unsigned simulated_hands = 10000;
    static constexpr double opponents_weight = 0.5;
    static constexpr unsigned random_seed = 2;

    Corvald();
    ~Corvald();
    Corvald(const Corvald&) = delete;
    Corvald& operator=(const Corvald&) = delete;

    // Plays the hand: players, two blinds, then for each betting round its cards (with a
    // new simulation) and the moves until the round is over; returns once the input
    // source has been told the hand is over. The table is redrawn after every event.
    void go(Sequencer& sequencer);

    // Asks for the cards of `round`, keeps them in round_cards and hands them to the
    // calculator.
    void request_cards(Sequencer& sequencer, Game::Round round);

    // One Monte Carlo run of no_simulated_hands over the cards known so far.
    void calculate();

    // The whole table view; `show_current` marks the player whose turn it is.
    void refresh(bool show_current);

    // The parts of the view, in the order refresh draws them.
    void draw_table();
    void show_players(bool show_current);
    void show_stakes();
    void highlight_stakes();
    void show_win_probs();
    void highlight_win_probs();

    // Text at the cursor, unchanged.
    void print_string(std::string text);
    // An amount in 4 characters: the whole part, right-aligned, or "XXXX" when it is
    // negative; amounts between 0 and 1, of 10,000 and more, and every amount of a
    // replayed hand in the compact form (MoneyText::compact).
    void print_number(float amount);
    // A probability in 4 characters: the rounded percentage right-aligned in 3 and "%",
    // or "XXXX" when it is not 0 to 1.
    void print_percentage(double probability);
    // The column of the current round's cards, where its numbers are written; 0 when
    // the round has none (showdown).
    int round_col();

    std::vector<Card> round_cards;
    double all_opponents_weight;
    Calculator calculator;
    Game game;
    unsigned no_simulated_hands;
    // From the hand's NewGame: the hero's index (-1: none) and how amounts are shown.
    int hero = -1;
    bool compact_amounts = false;
    bool amounts_in_cents = false;
};

// Draws `card` on a grid of 4-cell places one cell apart, with a one-cell margin at the
// grid's top left (left, top): place (column, row) starts at
// (left + 5 * column + 1, top + 5 * row + 1).
void print_card(int left, int top, int column, int row, Card card);

} // namespace poker::texas_holdem

#endif
