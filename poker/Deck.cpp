#include "poker/Deck.h"

#include <algorithm>

namespace poker {

namespace {

constexpr unsigned last_index = Card::no_cards - 1;

} // namespace

Deck::Deck(unsigned seed)
    : engine(seed), distribution(0, last_index), generator(engine, distribution)
{
    reset();
}

bool Deck::any_available() const
{
    return std::find(taken.begin(), taken.end(), false) != taken.end();
}

} // namespace poker
