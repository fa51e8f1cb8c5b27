#ifndef CORVALD_POKER_DECK_H
#define CORVALD_POKER_DECK_H

#include <array>
#include <cassert>

#include <boost/random/mersenne_twister.hpp>
#include <boost/random/uniform_int.hpp>
#include <boost/random/variate_generator.hpp>

#include "poker/Card.h"

namespace poker {

// The random source of the simulation: the 52 cards, each either available or taken,
// and a seeded Mersenne Twister that deals a random available card. The same seed and
// the same calls give the same cards, which is what makes every hand's figures
// reproducible. A deck is used in cycles of reset, remove the known cards, deal the
// unknown ones.
class Deck {
public:
    explicit Deck(unsigned seed);

    // The generator holds a reference to `engine`, so a copy would draw from the
    // original's engine; a deck is never copied or moved.
    Deck(const Deck&) = delete;
    Deck& operator=(const Deck&) = delete;

    // reset, remove and deal are defined here: the simulation calls them for every card
    // of every simulated hand.

    // Makes every card available again. The engine runs on: the random sequence is
    // not restarted.
    void reset() { taken.fill(false); }

    // Takes a known card out of the deck. Removing a card that is already taken
    // changes nothing.
    void remove(const Card& card)
    {
        assert(is_real(card));
        taken[card.index()] = true;
    }

    // A random available card, now taken. Every available card is equally likely.
    // At least one card must be available.
    Card deal()
    {
        unsigned index = generator();
        while (taken[index]) {
            // Only a rejected draw can turn into an endless loop, so that is where the
            // caller's promise of an available card is checked.
            assert(any_available());
            index = generator();
        }
        taken[index] = true;
        return Card::from_index(index);
    }

private:
    static bool is_real(const Card& card)
    {
        return card.value >= 0 && card.value < Card::no_values && card.suit >= 0
            && card.suit < Card::no_suits;
    }
    bool any_available() const;

    using Engine = boost::mt19937;
    using Distribution = boost::uniform_int<unsigned>;

    Engine engine;
    // Card indices 0 to 51, inclusive.
    Distribution distribution;
    // Draws card indices uniformly; a taken card is rejected and drawn again.
    boost::variate_generator<Engine&, Distribution> generator;
    // By card index (value * 4 + suit): dealt or removed since the last reset.
    std::array<bool, Card::no_cards> taken;
};

} // namespace poker

#endif
