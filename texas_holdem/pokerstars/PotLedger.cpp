#include "texas_holdem/pokerstars/PotLedger.h"

#include <algorithm>

#include "texas_holdem/pokerstars/HandHistoryError.h"
#include "texas_holdem/pokerstars/MoneyText.h"

namespace poker::texas_holdem::pokerstars {

void PotLedger::reset(const std::vector<Money>& stacks, Money hand_cap)
{
    entries.resize(stacks.size());
    for (std::size_t i = 0; i < stacks.size(); ++i)
        entries[i] = Entry{stacks[i], 0, 0, 0};
    cap = hand_cap;
    paid = 0;
    any_returned = false;
}

void PotLedger::new_street()
{
    for (Entry& entry : entries)
        entry.street = 0;
}

void PotLedger::ante(std::size_t seat, Money amount)
{
    entries[seat].put_in += amount;
}

void PotLedger::live_blind(std::size_t seat, Money amount)
{
    entries[seat].put_in += amount;
    entries[seat].street += amount;
}

void PotLedger::dead_blind(std::size_t seat, Money amount)
{
    entries[seat].put_in += amount;
}

void PotLedger::add(std::size_t seat, Money amount)
{
    entries[seat].put_in += amount;
    entries[seat].street += amount;
}

Money PotLedger::raise_to(std::size_t seat, Money to)
{
    Entry& entry = entries[seat];
    if (to <= entry.street || to <= highest_street_bet())
        return -1;
    const Money added = to - entry.street;
    entry.put_in += added;
    entry.street = to;
    return added;
}

bool PotLedger::returned(std::size_t seat, Money amount)
{
    Entry& entry = entries[seat];
    Money others = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i != seat)
            others = std::max(others, entries[i].street);
    }
    if (amount <= 0 || amount > entry.street - others)
        return false;
    entry.put_in -= amount;
    entry.street -= amount;
    any_returned = true;
    return true;
}

void PotLedger::collected(std::size_t seat, Money amount)
{
    entries[seat].collected += amount;
    paid += amount;
}

void PotLedger::cashed_out_pot(Money amount)
{
    paid += amount;
}

Money PotLedger::highest_street_bet() const
{
    Money highest = 0;
    for (const Entry& entry : entries)
        highest = std::max(highest, entry.street);
    return highest;
}

Money PotLedger::pot() const
{
    Money sum = 0;
    for (const Entry& entry : entries)
        sum += entry.put_in;
    return sum;
}

bool PotLedger::within_limits(std::size_t seat) const
{
    const Entry& entry = entries[seat];
    return entry.put_in <= entry.stack && (cap == 0 || entry.put_in <= cap);
}

bool PotLedger::all_in(std::size_t seat) const
{
    return entries[seat].put_in == entries[seat].stack;
}

Money PotLedger::unmatched() const
{
    Money top = 0;
    Money second = 0;
    for (const Entry& entry : entries) {
        if (entry.put_in > top) {
            second = top;
            top = entry.put_in;
        } else if (entry.put_in > second) {
            second = entry.put_in;
        }
    }
    return top - second;
}

void PotLedger::check(Money total, Money rake, const std::vector<Money>& pots,
                      const MoneyForm& form, std::uint32_t line) const
{
    const Money bets = pot();
    const bool matched_only = !any_returned && total == bets - unmatched();
    if (total != bets && !matched_only) {
        throw HandHistoryError("Pot mismatch: the summary says " + MoneyText::format(total, form)
                                   + ", the bets add up to " + MoneyText::format(bets, form),
                               line);
    }
    if (paid != total - rake) {
        throw HandHistoryError("Pot mismatch: the summary says " + MoneyText::format(total, form)
                                   + " less a rake of " + MoneyText::format(rake, form)
                                   + ", the players collected " + MoneyText::format(paid, form),
                               line);
    }
    if (!pots.empty()) {
        Money listed = 0;
        for (const Money amount : pots)
            listed += amount;
        if (listed != total - rake) {
            throw HandHistoryError(
                "Pot mismatch: the summary says " + MoneyText::format(total, form)
                    + " less a rake of " + MoneyText::format(rake, form)
                    + ", the main and side pots add up to " + MoneyText::format(listed, form),
                line);
        }
    }
}

} // namespace poker::texas_holdem::pokerstars
