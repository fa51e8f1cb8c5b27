#ifndef CORVALD_TEXAS_HOLDEM_POKERSTARS_REPLAYSEQUENCER_H
#define CORVALD_TEXAS_HOLDEM_POKERSTARS_REPLAYSEQUENCER_H

#include <chrono>
#include <istream>
#include <string>
#include <vector>

#include "poker/Card.h"
#include "texas_holdem/Game.h"
#include "texas_holdem/GameHistory.h"
#include "texas_holdem/SessionAnalyser.h"
#include "texas_holdem/pokerstars/StreamSequencer.h"

namespace poker::texas_holdem::pokerstars {

// The hand-history replay as the hand loop uses it: the driver's request_new_game(16)
// starts the next hand of the text, the loop asks has_next_hand() before each hand, and
// a replay may pause after every redraw and feed a session's statistics.
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

    // False once a hand has been replayed and the text holds nothing more but blank or
    // skipped lines; true before the first hand, so that an empty text still stops with
    // "Malformed game header1".
    bool has_next_hand() const;

    // Shows how many hands were replayed on the status rows and waits for the space bar
    // when a keyboard can be read. The count goes to standard error when nobody could
    // read it, or when the space bar gave the user's own screen back.
    void show_end();

    // Hands replayed to the end of their pot line.
    unsigned hands_replayed = 0;
    // Pause before each event, so that every redraw stays up this long.
    std::chrono::milliseconds delay{0};
    // Receives every replayed hand's history when set; not owned.
    SessionAnalyser* session = nullptr;

private:
    // Shows what was drawn since the last event and waits `delay`.
    void pause();
};

} // namespace poker::texas_holdem::pokerstars

#endif
