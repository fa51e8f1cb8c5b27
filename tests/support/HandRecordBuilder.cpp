#include "support/HandRecordBuilder.h"

#include <gtest/gtest.h>

namespace poker::test {

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

HandRecordBuilder& HandRecordBuilder::street(const std::string& board)
{
    for (const Card& card : cards(board))
        hand_.boards.front().push_back(card);
    street_ = static_cast<Street>(static_cast<int>(street_) + 1);
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
