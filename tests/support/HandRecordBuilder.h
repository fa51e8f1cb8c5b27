#ifndef CORVALD_TESTS_SUPPORT_HANDRECORDBUILDER_H
#define CORVALD_TESTS_SUPPORT_HANDRECORDBUILDER_H

#include <string>

#include "support/CardText.h"
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
    using Street = HandRecord::Street;

    // A $0.50/$1 cash hand (cents) unless `chips`.
    explicit HandRecordBuilder(const std::string& hand_id, Money small_blind = 50, Money big_blind = 100,
                               bool chips = false);

    HandRecordBuilder& seat(const std::string& name, Money stack = 10000)
    {
        hand_.seats.push_back({static_cast<unsigned>(hand_.seats.size() + 1), name, stack, false, false});
        return *this;
    }
    HandRecordBuilder& hero(const std::string& name, const std::string& hole)
    {
        hand_.hero = seat_of(name);
        hand_.hero_cards = {cards(hole).at(0), cards(hole).at(1)};
        return *this;
    }
    HandRecordBuilder& act(const std::string& name, Kind kind, Money amount = 0, bool all_in = false)
    {
        hand_.actions.push_back({kind, street_, seat_of(name), amount, 0, all_in, 0, 0, {}});
        return *this;
    }
    HandRecordBuilder& raise(const std::string& name, Money added, Money to, bool all_in = false)
    {
        act(name, Kind::raise, added, all_in).hand_.actions.back().to = to;
        return *this;
    }
    HandRecordBuilder& shows(const std::string& name, const std::string& shown)
    {
        act(name, Kind::shows).hand_.actions.back().cards = cards(shown);
        return *this;
    }
    // Deals `board` as the next street (three on the flop, then one a street).
    HandRecordBuilder& street(const std::string& board);
    HandRecordBuilder& showdown()
    {
        hand_.showdown = true;
        street_ = Street::showdown;
        return *this;
    }
    HandRecordBuilder& collect(const std::string& name, Money amount)
    {
        hand_.total_pot += amount;
        return act(name, Kind::collect, amount);
    }
    HandRecordBuilder& rake(Money amount)
    {
        hand_.rake = amount;
        hand_.total_pot += amount;
        return *this;
    }
    HandRecordBuilder& no_uncalled_lines()
    {
        hand_.uncalled_lines = false;
        return *this;
    }

    HandRecord build() const { return hand_; }

private:
    std::size_t seat_of(const std::string& name) const;

    HandRecord hand_;
    Street street_ = Street::preflop;
};

} // namespace poker::test

#endif
