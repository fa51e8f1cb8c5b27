#ifndef CORVALD_TEXAS_HOLDEM_POKERSTARS_POTLEDGER_H
#define CORVALD_TEXAS_HOLDEM_POKERSTARS_POTLEDGER_H

#include <cstdint>
#include <vector>

#include "texas_holdem/pokerstars/HandRecord.h"

namespace poker::texas_holdem::pokerstars {

// The money of one hand in whole cents or chips: what each player put in (antes, live
// and dead blinds, calls, bets, raises), what came back (uncalled bets) and what was
// paid out (collected pots, cashed-out pots). check() compares that with the summary.
//
// A player's street bet, which calls and raises are measured against, counts live blinds
// and the betting of the street only: antes and dead blinds go into the pot beside it.
class PotLedger {
public:
    // A new hand with one entry per seat line; `stacks` are the chips of each. `cap` is
    // the most one player may put into the hand, 0 for none.
    void reset(const std::vector<Money>& stacks, Money cap);
    // A street marker: every street bet starts again from nothing.
    void new_street();

    void ante(std::size_t seat, Money amount);
    void live_blind(std::size_t seat, Money amount);
    void dead_blind(std::size_t seat, Money amount);
    // A call or bet of `amount` added chips.
    void add(std::size_t seat, Money amount);
    // "raises A to B": returns what the player adds to reach street total `to`, or -1 (and
    // changes nothing) when `to` is not above both his own and the highest street bet.
    Money raise_to(std::size_t seat, Money to);
    // "Uncalled bet (amount) returned to": false, changing nothing, when more comes back
    // than the player's street bet holds above the next highest one.
    bool returned(std::size_t seat, Money amount);
    void collected(std::size_t seat, Money amount);
    // The pot a cashed-out winner was not paid: it counts as paid out.
    void cashed_out_pot(Money amount);

    Money street_bet(std::size_t seat) const { return entries[seat].street; }
    Money highest_street_bet() const;
    // Everything put in minus everything returned.
    Money pot() const;
    Money paid_out() const { return paid; }
    Money collected_by(std::size_t seat) const { return entries[seat].collected; }
    // True when the player has put in no more than his stack and the cap allow.
    bool within_limits(std::size_t seat) const;
    // True when the player has put in all his chips.
    bool all_in(std::size_t seat) const;

    // The checks at the end of a hand against the summary's `total` (before rake),
    // `rake` and, when listed, the main and side pots (after rake). Throws
    // HandHistoryError at `line` with both amounts written in `form`. Without any
    // "Uncalled bet" line the summary may count matched money only: the part of the
    // largest contribution that nobody else reached is then not in it.
    void check(Money total, Money rake, const std::vector<Money>& pots, const MoneyForm& form,
               std::uint32_t line) const;

private:
    struct Entry {
        Money stack = 0;
        Money street = 0; // this street's live bet
        Money put_in = 0; // the whole hand, returns taken off
        Money collected = 0;
    };
    // The part of the largest contribution above the second largest.
    Money unmatched() const;

    std::vector<Entry> entries;
    Money cap = 0;
    Money paid = 0;
    bool any_returned = false;
};

} // namespace poker::texas_holdem::pokerstars

#endif
