#ifndef CORVALD_TEXAS_HOLDEM_POKERSTARS_REPLAYSEQUENCER_H
#define CORVALD_TEXAS_HOLDEM_POKERSTARS_REPLAYSEQUENCER_H

#include <chrono>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "poker/Card.h"
#include "texas_holdem/Game.h"
#include "texas_holdem/GameHistory.h"
#include "texas_holdem/SessionAnalyser.h"
#include "texas_holdem/pokerstars/CurrentGrammar.h"
#include "texas_holdem/pokerstars/HandRecord.h"
#include "texas_holdem/pokerstars/RecordSequencer.h"
#include "texas_holdem/pokerstars/StreamSequencer.h"

namespace poker::texas_holdem::pokerstars {

// The hand-history replay as the hand loop uses it: the driver's request_new_game(16)
// starts the next hand of the text, the loop asks has_next_hand() before each hand, and
// a replay may pause after every redraw and feed a session's statistics.
//
// Each hand's first line decides which grammar reads it: the older client's game line
// the older grammar, a later header the current grammar; a header of another game and
// any other line stop the hand. A fault ends the hand with a HandHistoryError; the
// command may then go on at the next hand's first line (skip_to_next_hand).
class ReplaySequencer final : public StreamSequencer {
public:
    explicit ReplaySequencer(std::istream& in) : StreamSequencer(in) {}

    using StreamSequencer::request_new_game;
    // A hand of more than `max_players` seat lines stops with "Too many players".
    NewGame request_new_game(unsigned max_players) override;
    float request_blind(std::string player) override;
    std::vector<Card> request_cards(Game::Round round) override;
    float request_move(std::string player) override;
    // After the end-of-hand checks: counts the hand and records it in `session`.
    void notify_end_game(const GameHistory& history) override;
    bool all_in_stake(float& stake) override;

    // False once a hand has been tried and the text holds nothing more but skipped lines;
    // true before the first hand, so that an empty text still says it holds no hand.
    bool has_next_hand();

    // After a fault: drops the rest of the faulty hand, up to the next line that starts a
    // hand or the end of the input.
    void skip_to_next_hand();

    // Shows `text` on row 1 and waits for the space bar when a keyboard can be read. True
    // when the text must also go to standard error: nobody could read it, or the space
    // bar gave the user's own screen back.
    bool show_last_word(const std::string& text);

    // Hands replayed to the end of their pot line.
    unsigned hands_replayed = 0;
    // Pause before each event, so that every redraw stays up this long.
    std::chrono::milliseconds delay{0};
    // Receives every replayed hand's history when set; not owned.
    SessionAnalyser* session = nullptr;

private:
    // Shows what was drawn since the last event and waits `delay`.
    void pause();
    // Chooses the grammar by the hand's first line and reads the hand's opening.
    NewGame start_hand(unsigned max_players);
    // The hand whose first line the reader holds; nothing for a cancelled hand.
    std::optional<NewGame> start_hand_at_line(unsigned max_players);
    // Reads a whole hand of the current text, from its header on the reader up to the
    // next hand's first line or the end of the input, into `record`.
    void read_current_hand();
    // Throws when the record deals a card twice.
    void check_cards() const;

    // The hand of the current text being played, checked in full before it starts.
    CurrentGrammar current_grammar;
    HandRecord record;
    std::optional<RecordSequencer> current_hand;

    // Hands whose first line was read, faulty or not.
    unsigned hands_started = 0;
    // The number of the current hand's first line.
    std::uint32_t hand_line = 0;
};

} // namespace poker::texas_holdem::pokerstars

#endif
