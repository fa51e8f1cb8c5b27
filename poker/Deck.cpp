#include "poker/Deck.h"

namespace poker {

Deck::Deck(unsigned seed) : engine(seed)
{
}

} // namespace poker
