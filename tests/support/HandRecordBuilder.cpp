#include "support/HandRecordBuilder.h"

#include <gtest/gtest.h>

#include "support/CardText.h"

namespace poker::test {

using Street = texas_holdem::pokerstars::HandRecord::Street;

HandRecordBuilder::HandRecordBuilder(const std::string& hand_id, Money small_blind, Money big_blind, bool chips)
{
    hand_.hand_id = hand_id;
    hand_.game = "Hold'em No Limit";
    hand_.small_blind = small_blind;
    hand_.big_blind = big_blind;
    hand_.tournament = chips;
    hand_.money.cents = !chips;
    hand_.money.sign = chips ? "" : "$";
    hand_.money.currency = chips ? "" : "USD";
    hand_.date_time = "2024/01/02 3:04:05 ET";
    hand_.boards.emplace_back();
}

HandRecordBuilder& HandRecordBuilder::seat(const std::string& name, Money stack)
{
    HandRecord::Seat seat;
    seat.number = static_cast<unsigned>(hand_.seats.size() + 1);
    seat.name = name;
    seat.stack = stack;
    hand_.seats.push_back(seat);
    return *this;
}

HandRecordBuilder& HandRecordBuilder::hero(const std::string& name, const std::string& cards)
{
    hand_.hero = seat_of(name);
    const std::vector<Card> hole = test::cards(cards);
    hand_.hero_cards = {hole.at(0), hole.at(1)};
    return *this;
}

HandRecordBuilder& HandRecordBuilder::act(const std::string& name, Kind kind, Money amount, bool all_in)
{
    HandRecord::Action action;
    action.kind = kind;
    action.street = street_;
    action.seat = seat_of(name);
    action.amount = amount;
    action.all_in = all_in;
    hand_.actions.push_back(action);
    return *this;
}

HandRecordBuilder& HandRecordBuilder::raise(const std::string& name, Money added, Money to, bool all_in)
{
    act(name, Kind::raise, added, all_in);
    hand_.actions.back().to = to;
    return *this;
}

HandRecordBuilder& HandRecordBuilder::shows(const std::string& name, const std::string& cards)
{
    act(name, Kind::shows);
    hand_.actions.back().cards = test::cards(cards);
    return *this;
}

HandRecordBuilder& HandRecordBuilder::street(const std::string& cards)
{
    for (const Card& card : test::cards(cards))
        hand_.boards.front().push_back(card);
    street_ = static_cast<Street>(static_cast<int>(street_) + 1);
    return *this;
}

HandRecordBuilder& HandRecordBuilder::showdown()
{
    hand_.showdown = true;
    street_ = Street::showdown;
    return *this;
}

HandRecordBuilder& HandRecordBuilder::collect(const std::string& name, Money amount)
{
    act(name, Kind::collect, amount);
    hand_.total_pot += amount;
    return *this;
}

HandRecordBuilder& HandRecordBuilder::rake(Money amount)
{
    hand_.rake = amount;
    hand_.total_pot += amount;
    return *this;
}

HandRecordBuilder& HandRecordBuilder::no_uncalled_lines()
{
    hand_.uncalled_lines = false;
    return *this;
}

std::size_t HandRecordBuilder::seat_of(const std::string& name) const
{
    for (std::size_t seat = 0; seat < hand_.seats.size(); ++seat)
        if (hand_.seats[seat].name == name)
            return seat;
    ADD_FAILURE() << "no seat for " << name;
    return 0;
}

} // namespace poker::test
