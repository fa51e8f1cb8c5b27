#include "texas_holdem/SequencerHelper.h"

namespace poker::texas_holdem {

namespace {

// Two characters per card: the value character, then the suit character.
constexpr std::size_t chars_per_card = 2;

} // namespace

// Only the lower-case notation counts: "T" or "1" (for a "10") are not value characters.
int SequencerHelper::value_from_char(char c)
{
    if (c >= '2' && c <= '9')
        return c - '2';
    switch (c) {
    case 't': return 8;
    case 'j': return 9;
    case 'q': return 10;
    case 'k': return 11;
    case 'a': return 12;
    default: return Card::unknown;
    }
}

// -1 is the unknown card's suit; the enumeration's fixed int base makes it a valid Suit.
Card::Suit SequencerHelper::suit_from_char(char c)
{
    switch (c) {
    case 's': return Card::spades;
    case 'h': return Card::hearts;
    case 'c': return Card::clubs;
    case 'd': return Card::diamonds;
    default: return static_cast<Card::Suit>(Card::unknown);
    }
}

// `card` is written only when both characters are notation, so a failed parse leaves the
// caller's card as it was.
bool SequencerHelper::parse(char value_ch, char suit_ch, Card& card)
{
    const int value = value_from_char(value_ch);
    const Card::Suit suit = suit_from_char(suit_ch);
    if (value == Card::unknown || suit == Card::unknown)
        return false;
    card = Card(value, suit);
    return true;
}

// Only the value's letter changes case: "TD" or "td" are no written card.
bool SequencerHelper::parse_written(char value_ch, char suit_ch, Card& card)
{
    const bool letter = value_ch >= 'A' && value_ch <= 'Z';
    const bool digit = value_ch >= '2' && value_ch <= '9';
    return (letter || digit)
           && parse(letter ? static_cast<char>(value_ch - 'A' + 'a') : value_ch, suit_ch, card);
}

std::string SequencerHelper::round_name(Game::Round round)
{
    switch (round) {
    case Game::hole: return "hole";
    case Game::flop: return "flop";
    case Game::turn: return "turn";
    case Game::river: return "river";
    case Game::showdown: return "showdown";
    }
    return "UNKNOWN ROUND";
}

// The length is checked first, so a text of the wrong size touches no card; a bad card
// stops the parse with the cards before it already replaced.
bool SequencerHelper::parse(std::string text, std::vector<Card>& cards)
{
    if (text.size() != chars_per_card * cards.size())
        return false;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        if (!parse(text[chars_per_card * i], text[chars_per_card * i + 1], cards[i]))
            return false;
    }
    return true;
}

std::string SequencerHelper::notation(const std::vector<Card>& cards)
{
    static const char values[] = "23456789tjqka";
    static const char suits[] = "shcd"; // in the order of Card::Suit
    std::string text;
    for (const Card& card : cards) {
        text += values[card.value];
        text += suits[card.suit];
    }
    return text;
}

} // namespace poker::texas_holdem
