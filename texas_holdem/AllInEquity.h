#ifndef CORVALD_TEXAS_HOLDEM_ALLINEQUITY_H
#define CORVALD_TEXAS_HOLDEM_ALLINEQUITY_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "poker/Card.h"
#include "texas_holdem/HandMoney.h"
#include "texas_holdem/pokerstars/HandRecord.h"

namespace poker::texas_holdem {

// A player's result with the luck of an all-in taken out, as trackers work it: when he
// is all-in, or calls an all-in, before the river and every other player still in has
// shown his cards, his result is his exact share of every pot he plays for (each
// remaining board dealt once, ties split evenly) less what he put in. Each side pot is
// shared among its own players.
//
// One object per thread: it remembers the shares of situations already enumerated. That
// is exact: the shares depend on nothing but the cards, the known board, the pots' players
// and whose share it is, which together make the key.
class AllInEquity {
public:
    using Money = pokerstars::Money;

    // `remember`: keep the shares of the situations met (off: enumerate every time, as a
    // folder whose all-ins never repeat would).
    explicit AllInEquity(bool remember = true) : remember_(remember) {}

    // Results come in hundredths of the hand's unit (of a cent, of a chip), so that sums
    // of them stay exact.
    static constexpr std::int64_t hundredths = 100;
    static constexpr std::size_t max_players = 10;
    static constexpr std::size_t board_cards = 5;

    // The players still in, their cards, the board known when the money went in, and per
    // pot which of the players may win it (bit i for player i).
    struct Situation {
        std::vector<std::array<Card, 2>> hands;
        std::vector<Card> board;
        std::vector<std::uint32_t> pot_players;
        std::size_t player = 0; // whose share is wanted
    };

    // The share of each pot that `player` wins over every remaining board: `wins[k]` /
    // `boards` of pot k.
    struct Shares {
        std::vector<std::uint64_t> wins;
        std::uint64_t boards = 0;
    };

    // Every split among up to `max_players` players divides it: shares add as whole numbers.
    static constexpr std::uint64_t split_unit = 2520;

    // `seat`'s result in hundredths of the unit, when `hand` is one for the adjustment;
    // none otherwise (the plain result then stands).
    std::optional<std::int64_t> adjusted_result(const pokerstars::HandRecord& hand,
                                                std::size_t seat, const HandMoney& money);

    // The exact shares by enumeration: wins counted in `split_unit`s a board. The cards
    // must be known and distinct.
    static Shares enumerate(const Situation& situation);

private:
    static constexpr std::size_t max_remembered = 4096;

    const Shares& shares(const Situation& situation);

    bool remember_;
    std::unordered_map<std::string, Shares> remembered_;
    Shares last_;
};

} // namespace poker::texas_holdem

#endif
