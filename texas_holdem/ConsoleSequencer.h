#ifndef CORVALD_TEXAS_HOLDEM_CONSOLESEQUENCER_H
#define CORVALD_TEXAS_HOLDEM_CONSOLESEQUENCER_H

#include <functional>
#include <iostream>
#include <istream>
#include <optional>
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
// brings the same question back in bright red until one can. With an AnswerLog attached,
// the answer `u` takes back the hand's last answer (TakeBack).
//
// Lines come from `in` (standard input in the program, a scripted stream in tests). A
// line longer than 4,096 characters is refused like any unusable answer; only that many
// are ever held. When `in` ends the run is over: InputEnded is thrown, since a question
// that can never be answered would otherwise be asked for ever. A read that fails for
// another reason throws a std::runtime_error (a std::system_error when the system gave
// a reason).
class ConsoleSequencer : public Sequencer {
public:
    // Writes "V", the version and one blank at column 12 of row 1, right of the hand line.
    explicit ConsoleSequencer(const std::string& version, std::istream& in = std::cin);

    // Shows `prompt` (bright red when `highlight`), reads one line from `in`, wipes
    // prompt and answer and returns the line without its terminator; std::nullopt for a
    // line too long to be an answer.
    static std::optional<std::string> get_input(std::string prompt, bool highlight,
                                                std::istream& in = std::cin);

    // "Enter no players (max 16)": a count from 1 to max_players, optionally followed by
    // the word "autobet"; the players are named "P1" to "Pn".
    NewGame request_new_game(unsigned max_players) override;
    // Any number; 1 without asking in an autobet hand.
    float request_blind(std::string player) override;
    // Exactly the round's cards in card notation, nothing between them, each card one
    // not yet given in this hand (within the answer or in an earlier round).
    std::vector<Card> request_cards(Game::Round round) override;
    // A number starting with a digit (a raise, 0 a call), "c" (0) or "f" (-1);
    // 0 without asking in an autobet hand.
    float request_move(std::string player) override;
    // Waits for a line; what it says does not matter.
    void notify_end_game(const GameHistory& history) override;

    // The answer that takes back the last answer of the hand, at any question of it.
    static constexpr const char* take_back_answer = "u";

    std::string version;
    // Set by the answer to request_new_game, for that hand only.
    bool autobet = false;
    // Asked when take_back_answer is typed: true when the hand has an answer to take
    // back, and the question then ends by throwing TakeBack. Unset, or false (the first
    // question of a hand), the answer is refused like any other that cannot be used.
    std::function<bool()> can_take_back;

    // The cards given in this hand so far become `cards`: after an answer is taken back,
    // the cards of the answers kept.
    void set_dealt(std::vector<Card> cards) { dealt_ = std::move(cards); }

private:
    std::istream& in_;
    // The cards given in this hand so far.
    std::vector<Card> dealt_;
};

} // namespace poker::texas_holdem

#endif
