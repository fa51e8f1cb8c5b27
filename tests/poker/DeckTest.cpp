#include "poker/Deck.h"

#include <algorithm>
#include <cstdint>

#include <boost/random/uniform_int.hpp>
#include <gtest/gtest.h>

#include "support/BoostDeck.h"

using poker::Card;
using poker::Deck;

constexpr unsigned no_cards = Card::no_cards;

// The deck deals the cards of the first version's Boost draws: the engine's outputs one
// for one, each output's card index (Boost draws again for 52), and whole deals with
// removed and taken cards, some removed twice (the Boost deck deals each available card
// once). The slow suite runs the same over 10^8 outputs per seed.
TEST(Deck, DealsTheCardsOfTheBoostDraws)
{
    constexpr std::uint64_t outputs = 1000000;
    for (unsigned seed : {2u, 7u, 0xFFFFFFFFu}) {
        EXPECT_EQ(poker::test::outputs_alike(seed, outputs), outputs) << "seed " << seed;
        EXPECT_EQ(poker::test::cards_dealt_alike(seed, outputs), outputs) << "seed " << seed;
    }

    // An engine for Boost's draw that gives `first` and then zeros, counting its calls.
    struct ScriptedEngine {
        using result_type = std::uint32_t;
        static constexpr result_type min() { return 0; }
        static constexpr result_type max() { return 0xFFFFFFFFu; }
        result_type operator()() { return calls++ == 0 ? first : 0; }
        result_type first = 0;
        int calls = 0;
    };
    // Each index is a run of outputs; the draw agrees on both sides of every boundary,
    // and on the 48 top outputs, which Boost draws again.
    constexpr std::uint64_t bucket = 0xFFFFFFFFu / no_cards;
    constexpr std::uint64_t window = 1000;
    boost::uniform_int<unsigned> draw(0, no_cards - 1);
    for (std::uint64_t boundary = 0; boundary <= std::uint64_t{1} << 32; boundary += bucket) {
        const std::uint64_t low = boundary < window ? 0 : boundary - window;
        const std::uint64_t high = std::min(boundary + window, std::uint64_t{0xFFFFFFFFu});
        for (std::uint64_t output = low; output <= high; ++output) {
            ScriptedEngine scripted{static_cast<std::uint32_t>(output)};
            const unsigned boost_index = draw(scripted);
            const unsigned index = Deck::index_of_output(static_cast<std::uint32_t>(output));
            ASSERT_EQ(index == no_cards ? 0u : index, boost_index) << output;
            ASSERT_EQ(scripted.calls, index == no_cards ? 2 : 1) << output;
        }
    }
}
