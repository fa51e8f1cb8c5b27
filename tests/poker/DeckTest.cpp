#include "poker/Deck.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <set>
#include <vector>

#include <boost/random/mersenne_twister.hpp>
#include <boost/random/uniform_int.hpp>
#include <gtest/gtest.h>

#include "poker/MersenneTwister.h"
#include "support/BoostDeck.h"

using poker::Card;
using poker::Deck;

namespace {

constexpr unsigned no_cards = Card::no_cards;

// The indices of `n` cards dealt from `deck`, in dealing order.
std::vector<unsigned> deal(Deck& deck, std::size_t n)
{
    std::vector<unsigned> dealt;
    while (dealt.size() < n)
        dealt.push_back(deck.deal().index());
    return dealt;
}

} // namespace

// Redrawing rejected cards keeps the available ones equally likely (the first and last
// card too); taking the next free card would favour the one after a run of taken ones.
TEST(Deck, DealsEveryAvailableCardOnceAndEachEquallyLikely)
{
    constexpr unsigned first_removed = 20;
    constexpr unsigned last_removed = 31;
    constexpr unsigned draws_per_card = 500;
    std::vector<unsigned> available;
    for (unsigned index = 0; index < no_cards; ++index) {
        if (index < first_removed || index > last_removed)
            available.push_back(index);
    }
    const auto reset = [&](Deck& deck) {
        deck.reset();
        for (unsigned index = first_removed; index <= last_removed; ++index)
            deck.remove(Card::from_index(index));
        deck.remove(Card::from_index(last_removed)); // taken twice, out once
    };
    Deck deck(11);
    reset(deck);
    std::vector<unsigned> dealt = deal(deck, available.size());
    std::sort(dealt.begin(), dealt.end());
    EXPECT_EQ(dealt, available);

    std::array<unsigned, no_cards> times{};
    for (unsigned draw = 0; draw < available.size() * draws_per_card; ++draw) {
        reset(deck);
        ++times[deck.deal().index()];
    }
    double chi_square = 0;
    for (unsigned index : available)
        chi_square += std::pow(times[index] - double{draws_per_card}, 2) / draws_per_card;
    // 39 degrees of freedom: a sum above 89 has a chance below 1e-5.
    EXPECT_LT(chi_square, 89.0);
}

TEST(Deck, EqualSeedsDealEqualSequencesAndResetDoesNotReseed)
{
    Deck deck(2), twin(2), other(3);
    const std::vector<unsigned> first = deal(deck, no_cards);
    EXPECT_EQ(deal(twin, no_cards), first);
    EXPECT_NE(deal(other, no_cards), first);

    // All 52 again, but further along the random sequence: not the same order.
    deck.reset();
    twin.reset();
    const std::vector<unsigned> second = deal(deck, no_cards);
    EXPECT_EQ(std::set<unsigned>(second.begin(), second.end()).size(), no_cards);
    EXPECT_NE(second, first);
    EXPECT_EQ(deal(twin, no_cards), second);
}

namespace {

// An engine for Boost's draw that gives `first` and then zeros, counting its calls.
struct ScriptedEngine {
    using result_type = std::uint32_t;
    static constexpr result_type min() { return 0; }
    static constexpr result_type max() { return 0xFFFFFFFFu; }
    result_type operator()() { return calls++ == 0 ? first : 0; }
    result_type first = 0;
    int calls = 0;
};

} // namespace

// The deck deals the cards of the first version's Boost draws: the engine's outputs one
// for one, each output's card index (Boost draws again for 52), and whole deals with
// removed and taken cards. The slow suite runs the same over 10^8 outputs per seed.
TEST(Deck, DealsTheCardsOfTheBoostDraws)
{
    constexpr std::uint64_t outputs = 1000000;
    for (unsigned seed : {2u, 7u, 0xFFFFFFFFu}) {
        poker::MersenneTwister engine(seed);
        boost::mt19937 reference(seed);
        std::uint64_t alike = 0;
        while (alike < outputs && engine() == reference())
            ++alike;
        EXPECT_EQ(alike, outputs) << "seed " << seed;
        EXPECT_EQ(poker::test::cards_dealt_alike(seed, outputs), outputs) << "seed " << seed;
    }

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
