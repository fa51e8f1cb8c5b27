#ifndef CORVALD_TEXAS_HOLDEM_HANDMONEY_H
#define CORVALD_TEXAS_HOLDEM_HANDMONEY_H

#include <cstddef>
#include <string>
#include <vector>

#include "texas_holdem/pokerstars/HandRecord.h"

namespace poker::texas_holdem {

// What every seat of one hand put into the pot and took out of it, from the hand's action
// lines alone, in the file's own unit (cents or chips).
class HandMoney {
public:
    using Money = pokerstars::Money;

    explicit HandMoney(const pokerstars::HandRecord& hand);

    // False when the hand holds no line that pays anybody (no "collected", no cash-out):
    // then who won is not told and no seat's result is known.
    bool known() const { return known_; }

    // Antes, blinds, calls, bets and raises, less what came back: the returned uncalled
    // bets, and in files without "Uncalled bet" lines the unmatched part of the largest
    // stake, which such files leave out of the pot.
    Money committed(std::size_t seat) const { return committed_[seat]; }
    // Collected from the pots, plus a cash-out's payment.
    Money received(std::size_t seat) const { return received_[seat]; }
    Money net(std::size_t seat) const { return received_[seat] - committed_[seat]; }
    bool cashed_out(std::size_t seat) const { return cashed_out_[seat]; }
    // The sum of what all seats committed: the pot before rake.
    Money pot() const { return pot_; }

    // The unit money of `hand` is counted in: the currency code ("USD", "EUR", ...) for
    // real money, "chips" for tournament chips and play money.
    static std::string unit(const pokerstars::HandRecord& hand);

    // `amount` of `unit` as a player reads it: "-12.34" for money (cents), "1500" for chips.
    static std::string text(Money amount, const std::string& unit);

private:
    std::vector<Money> committed_;
    std::vector<Money> received_;
    std::vector<bool> cashed_out_;
    Money pot_ = 0;
    bool known_ = false;
};

} // namespace poker::texas_holdem

#endif
