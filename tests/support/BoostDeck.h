#ifndef CORVALD_TESTS_SUPPORT_BOOST_DECK_H
#define CORVALD_TESTS_SUPPORT_BOOST_DECK_H

#include <array>
#include <cstdint>
#include <random>

#include <boost/random/mersenne_twister.hpp>
#include <boost/random/uniform_int.hpp>
#include <boost/random/variate_generator.hpp>

#include "poker/Card.h"
#include "poker/Deck.h"
#include "poker/MersenneTwister.h"

namespace poker::test {

// The deck as the first version of the program dealt: card indices drawn from
// boost::mt19937 through boost::uniform_int<unsigned>(0, 51) in a variate generator, a
// taken card drawn again. poker::Deck must deal exactly these cards.
class BoostDeck {
public:
    explicit BoostDeck(unsigned seed)
        : engine(seed), distribution(0, Card::no_cards - 1), generator(engine, distribution)
    {
    }
    BoostDeck(const BoostDeck&) = delete;
    BoostDeck& operator=(const BoostDeck&) = delete;

    void reset() { taken.fill(false); }
    void remove(const Card& card) { taken[card.index()] = true; }
    Card deal()
    {
        unsigned index = generator();
        while (taken[index])
            index = generator();
        taken[index] = true;
        return Card::from_index(index);
    }

private:
    boost::mt19937 engine;
    boost::uniform_int<unsigned> distribution;
    boost::variate_generator<boost::mt19937&, boost::uniform_int<unsigned>> generator;
    std::array<bool, Card::no_cards> taken{};
};

// How many of the first `outputs` outputs of the engine for `seed` are boost::mt19937's
// before the first that differs.
inline std::uint64_t outputs_alike(unsigned seed, std::uint64_t outputs)
{
    MersenneTwister engine(seed);
    boost::mt19937 reference(seed);
    std::uint64_t alike = 0;
    while (alike < outputs && engine() == reference())
        ++alike;
    return alike;
}

// Deals `cards` cards from a Deck and a BoostDeck of the same seed in the same cycles
// (reset, remove up to seven random known cards, deal up to 37) and returns how many came
// out alike before the first that differs: `cards` when all of them did.
inline std::uint64_t cards_dealt_alike(unsigned seed, std::uint64_t cards)
{
    constexpr unsigned max_known = 7;
    constexpr unsigned max_dealt = 37;
    std::mt19937_64 cycles(seed);
    Deck deck(seed);
    BoostDeck reference(seed);
    std::uint64_t alike = 0;
    while (alike < cards) {
        deck.reset();
        reference.reset();
        const unsigned known = static_cast<unsigned>(cycles() % (max_known + 1));
        for (unsigned i = 0; i < known; ++i) {
            const Card card = Card::from_index(static_cast<unsigned>(cycles() % Card::no_cards));
            deck.remove(card);
            reference.remove(card);
        }
        const unsigned dealt = 1 + static_cast<unsigned>(cycles() % max_dealt);
        for (unsigned i = 0; i < dealt && alike < cards; ++i, ++alike) {
            if (deck.deal() != reference.deal())
                return alike;
        }
    }
    return alike;
}

} // namespace poker::test

#endif
