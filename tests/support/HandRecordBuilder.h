#ifndef CORVALD_TESTS_SUPPORT_HANDRECORDBUILDER_H
#define CORVALD_TESTS_SUPPORT_HANDRECORDBUILDER_H

#include <string>

#include "texas_holdem/pokerstars/HandRecord.h"

namespace poker::test {

// Writes a hand-history record the way a test reads a hand: seats, then lines in order,
// each naming its player. Amounts are in cents; a raise gives what it adds and the total
// it brings the player's street bet to. Street lines take the board in card text.
class HandRecordBuilder {
public:
    using HandRecord = texas_holdem::pokerstars::HandRecord;
    using Kind = HandRecord::Action::Kind;
    using Money = texas_holdem::pokerstars::Money;

    // A $0.50/$1 cash hand (cents) unless `chips`.
    explicit HandRecordBuilder(const std::string& hand_id, Money small_blind = 50, Money big_blind = 100,
                               bool chips = false);

    HandRecordBuilder& seat(const std::string& name, Money stack = 10000);
    HandRecordBuilder& hero(const std::string& name, const std::string& cards);
    HandRecordBuilder& act(const std::string& name, Kind kind, Money amount = 0, bool all_in = false);
    HandRecordBuilder& raise(const std::string& name, Money added, Money to, bool all_in = false);
    HandRecordBuilder& shows(const std::string& name, const std::string& cards);
    // Deals `cards` as the next street (three on the flop, then one a street).
    HandRecordBuilder& street(const std::string& cards);
    HandRecordBuilder& showdown();
    HandRecordBuilder& collect(const std::string& name, Money amount);
    HandRecordBuilder& rake(Money amount);
    HandRecordBuilder& no_uncalled_lines();

    HandRecord build() const { return hand_; }

private:
    std::size_t seat_of(const std::string& name) const;

    HandRecord hand_;
    HandRecord::Street street_ = HandRecord::Street::preflop;
};

} // namespace poker::test

#endif
