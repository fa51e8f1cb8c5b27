#include "texas_holdem/HandMoney.h"

#include <algorithm>

namespace poker::texas_holdem {

namespace {

using pokerstars::HandRecord;
using Kind = HandRecord::Action::Kind;

// Currency codes for files whose header names none (Zoom tables): by the sign.
struct SignCode {
    const char* sign;
    const char* code;
};
const SignCode sign_codes[] = {
    {"$", "USD"},           {"\xE2\x82\xAC", "EUR"}, {"\xC2\xA3", "GBP"}, {"\xE2\x82\xB9", "INR"},
    {"Rs.\xC2\xA0", "INR"},
};

const char chips_unit[] = "chips";
constexpr HandMoney::Money cents_per_unit = 100;

} // namespace

HandMoney::HandMoney(const HandRecord& hand)
    : committed_(hand.seats.size(), 0), received_(hand.seats.size(), 0),
      cashed_out_(hand.seats.size(), false)
{
    for (const HandRecord::Action& action : hand.actions) {
        if (action.seat >= hand.seats.size())
            continue;
        switch (action.kind) {
        case Kind::ante:
        case Kind::small_blind:
        case Kind::big_blind:
        case Kind::dead_blind:
        case Kind::call:
        case Kind::bet:
        case Kind::raise: committed_[action.seat] += action.amount; break;
        case Kind::uncalled: committed_[action.seat] -= action.amount; break;
        case Kind::collect:
            received_[action.seat] += action.amount;
            known_ = true;
            break;
        case Kind::cash_out:
            received_[action.seat] += action.amount;
            cashed_out_[action.seat] = true;
            known_ = true;
            break;
        default: break;
        }
    }

    // Whatever the largest stake holds beyond the second largest was matched by nobody
    // and went back to its owner. With "Uncalled bet" lines it is already returned and
    // this finds nothing; files without them leave it out of the pot.
    if (committed_.size() >= 2) {
        const auto largest = std::max_element(committed_.begin(), committed_.end());
        Money second = 0;
        for (auto it = committed_.begin(); it != committed_.end(); ++it)
            if (it != largest)
                second = std::max(second, *it);
        if (*largest > second)
            *largest = second;
    }
    for (const Money amount : committed_)
        pot_ += amount;
}

std::string HandMoney::unit(const HandRecord& hand)
{
    if (!hand.money.cents)
        return chips_unit;
    if (!hand.money.currency.empty())
        return hand.money.currency;
    for (const SignCode& sign_code : sign_codes)
        if (hand.money.sign == sign_code.sign)
            return sign_code.code;
    return hand.money.sign;
}

std::string HandMoney::text(Money amount, const std::string& unit)
{
    if (unit == chips_unit)
        return std::to_string(amount);
    const Money whole = amount / cents_per_unit, cents = amount % cents_per_unit;
    std::string text = amount < 0 ? "-" : "";
    text += std::to_string(whole < 0 ? -whole : whole);
    text += '.';
    const Money shown = cents < 0 ? -cents : cents;
    text += static_cast<char>('0' + shown / 10);
    text += static_cast<char>('0' + shown % 10);
    return text;
}

} // namespace poker::texas_holdem
