#ifndef CORVALD_TEXAS_HOLDEM_SEQUENCERHELPER_H
#define CORVALD_TEXAS_HOLDEM_SEQUENCERHELPER_H

#include <string>
#include <vector>

#include "poker/Card.h"
#include "texas_holdem/Game.h"

namespace poker::texas_holdem {

// What the input sources share: the two-character card notation (value "2"-"9", "t",
// "j", "q", "k", "a", then suit "s", "h", "c", "d", lower case only), the cards as the
// hand-history files write them, and round names.
class SequencerHelper {
public:
    SequencerHelper() = delete;

    static int value_from_char(char c);
    static Card::Suit suit_from_char(char c);
    static bool parse(char value_ch, char suit_ch, Card& card);
    // A card as the hand-history files write it: the value's letter upper case ("Td").
    static bool parse_written(char value_ch, char suit_ch, Card& card);
    static std::string round_name(Game::Round round);
    // Reads exactly cards.size() cards; never resizes `cards`.
    static bool parse(std::string text, std::vector<Card>& cards);
    // The notation of known `cards`, nothing between them ("ahkd"); parse reads it back.
    static std::string notation(const std::vector<Card>& cards);
};

} // namespace poker::texas_holdem

#endif
