#include "poker/Deck.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "support/BoostDeck.h"

// The fast suite's check of the Boost draws, over 10^8 outputs and 10^8 dealt cards for
// each of several seeds.
TEST(DeckSlow, DealsTheCardsOfTheBoostDrawsOverAHundredMillion)
{
    constexpr std::uint64_t outputs = 100000000;
    for (unsigned seed : {2u, 5489u, 20261207u}) {
        EXPECT_EQ(poker::test::outputs_alike(seed, outputs), outputs) << "seed " << seed;
        EXPECT_EQ(poker::test::cards_dealt_alike(seed, outputs), outputs) << "seed " << seed;
    }
}
