#ifndef CORVALD_TEXAS_HOLDEM_POKERSTARS_RECORDSEQUENCER_H
#define CORVALD_TEXAS_HOLDEM_POKERSTARS_RECORDSEQUENCER_H

#include <cstdint>
#include <string>
#include <vector>

#include "texas_holdem/Sequencer.h"
#include "texas_holdem/pokerstars/HandRecord.h"

namespace poker::texas_holdem::pokerstars {

// Plays one hand record (read and checked by the current grammar) into the hand driver:
// the players dealt in, the big blind's poster second; the two blinds; every move as the
// driver's raise-by amount; the hero's cards and the first board. Amounts reach the
// driver as whole cents or chips, which single precision holds exactly up to 2^24.
//
// The driver's stakes are running totals for the hand: live blinds, calls, bets and
// raises; antes and dead blinds stay out of them (they are in the pot only). A player who
// goes all-in is reported through all_in_stake() and asked for nothing more.
class RecordSequencer final : public Sequencer {
public:
    // `record` must outlive the sequencer and hold a hand that is not cancelled.
    explicit RecordSequencer(const HandRecord& record);
    // A temporary record would be gone before the first question.
    explicit RecordSequencer(HandRecord&& record) = delete;

    NewGame request_new_game(unsigned max_players) override;
    float request_blind(std::string player) override;
    std::vector<Card> request_cards(Game::Round round) override;
    float request_move(std::string player) override;
    void notify_end_game(const GameHistory& history) override;
    bool all_in_stake(float& stake) override;

private:
    // One move of the record as the driver takes it: the player's hand total after it.
    struct Move {
        std::size_t player = 0; // index in the driver's order
        bool fold = false;
        bool all_in = false;
        Money total = 0;
        std::uint32_t line = 0;
    };

    std::size_t player_index(const std::string& name) const;
    [[noreturn]] void fail(const std::string& message, std::uint32_t line) const;

    const HandRecord& hand;
    // Seat indices of the players dealt in, in the driver's order.
    std::vector<std::size_t> seats;
    std::vector<std::string> names;
    std::vector<Money> blinds;
    std::vector<bool> all_in_by_blind;
    std::vector<Money> totals; // each player's hand total so far
    std::vector<bool> all_in_already;
    // The moves of each betting round, in file order.
    std::vector<Move> moves[4];
    std::size_t next_move = 0;
    int round = 0;
    Money to_match = 0;           // the driver's stake to match, mirrored
    std::size_t opener_index = 0; // the first player after the button
    bool all_in_pending = false;
    Money all_in_total = 0;
};

} // namespace poker::texas_holdem::pokerstars

#endif
