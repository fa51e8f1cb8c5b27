#include "poker/Deck.h"

#include <algorithm>
#include <cassert>

namespace poker {

namespace {

constexpr unsigned last_index = Card::no_cards - 1;

[[maybe_unused]] bool is_real(const Card& card)
{
    return card.value >= 0 && card.value < Card::no_values && card.suit >= 0 &&
           card.suit < Card::no_suits;
}

} // namespace

Deck::Deck(unsigned seed)
    : engine(seed), distribution(0, last_index), generator(engine, distribution)
{
    reset();
}

void Deck::reset()
{
    taken.fill(false);
}

void Deck::remove(const Card& card)
{
    assert(is_real(card));
    taken[card.index()] = true;
}

Card Deck::deal()
{
    unsigned index = generator();
    while (taken[index]) {
        // Only a rejected draw can turn into an endless loop, so that is where the
        // caller's promise of an available card is checked.
        assert(std::find(taken.begin(), taken.end(), false) != taken.end());
        index = generator();
    }
    taken[index] = true;
    return Card::from_index(index);
}

} // namespace poker
