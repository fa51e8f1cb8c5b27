#ifndef CORVALD_TEXAS_HOLDEM_CONSOLESEQUENCER_H
#define CORVALD_TEXAS_HOLDEM_CONSOLESEQUENCER_H

#include <iostream>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "poker/Card.h"
#include "texas_holdem/Game.h"
#include "texas_holdem/GameHistory.h"
#include "texas_holdem/Sequencer.h"

namespace poker::texas_holdem {

// The input source of the live program: asks the user at the console for every event of
// a hand. Each question appears at column 1 of row 3 with the answer typed on row 4
// after a ">" mark; both are wiped once the answer is read. An answer that cannot be used
// brings the same question back in bright red until one can.
//
// Lines come from `in` (standard input in the program, a scripted stream in tests).
// When `in` ends or fails for good the run is over: get_input throws InputEnded, which
// the program's entry takes for a normal end (status 0), since a question that can never
// be answered would otherwise be asked for ever.
class ConsoleSequencer : public Sequencer {
public:
    // Thrown when the input can give no more lines.
    struct InputEnded : std::runtime_error {
        InputEnded() : std::runtime_error("end of input") {}
    };

    // Writes "V", the version and one blank at column 12 of row 1, right of the hand line.
    explicit ConsoleSequencer(const std::string& version, std::istream& in = std::cin);

    // Shows `prompt` (bright red when `highlight`), reads one line from `in`, wipes
    // prompt and answer and returns the line without its terminator.
    static std::string get_input(std::string prompt, bool highlight, std::istream& in = std::cin);

    // "Enter no players (max 16)": a count from 1 to max_players, optionally followed by
    // the word "autobet"; the players are named "P1" to "Pn".
    NewGame request_new_game(unsigned max_players) override;
    // Any number; 1 without asking in an autobet hand.
    float request_blind(std::string player) override;
    // Exactly the round's cards in card notation, nothing between them.
    std::vector<Card> request_cards(Game::Round round) override;
    // A number starting with a digit (a raise, 0 a call), "c" (0) or "f" (-1);
    // 0 without asking in an autobet hand.
    float request_move(std::string player) override;
    // Waits for a line; what it says does not matter.
    void notify_end_game(const GameHistory& history) override;

    std::string version;
    // Set by the answer to request_new_game, for that hand only.
    bool autobet = false;

private:
    std::istream& in_;
};

} // namespace poker::texas_holdem

#endif
