#ifndef CORVALD_TEXAS_HOLDEM_GAMEHISTORY_H
#define CORVALD_TEXAS_HOLDEM_GAMEHISTORY_H

#include <string>
#include <vector>

#include "poker/Card.h"

namespace poker::texas_holdem {

// The record of one hand as far as betting goes: names, every stake each player made (as
// running totals for the hand), the stake to match of every round begun, and the cards of
// each finished round. Game is its only writer.
class GameHistory {
public:
    // Starts a hand for n players: n empty names, stakes to match [0], n stake
    // sequences [0]. The cards are emptied too.
    void reset(unsigned n);

    // Copies names[i] into entry i; the argument may not be longer than `names`.
    void set_names(const std::vector<std::string>& names);

    // Appends `stake` to the player's sequence; it also becomes the stake to match,
    // whether higher or lower than before.
    void record_stake(unsigned player, float stake);

    // Carries the stake to match into a new round and appends the round's cards.
    void record_round(const std::vector<Card>& cards);

    std::vector<std::string> names;
    std::vector<float> stakes_to_match;
    std::vector<std::vector<float>> player_stakes;
    std::vector<Card> cards;
};

} // namespace poker::texas_holdem

#endif
