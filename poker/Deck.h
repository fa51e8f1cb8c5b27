#ifndef CORVALD_POKER_DECK_H
#define CORVALD_POKER_DECK_H

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "poker/Card.h"
#include "poker/MersenneTwister.h"

namespace poker {

// The random source of the simulation: the 52 cards, each either available or taken,
// and a seeded Mersenne Twister that deals a random available card. The same seed and
// the same calls give the same cards, which is what makes every hand's figures
// reproducible. A deck is used in cycles of reset, remove the known cards, deal the
// unknown ones.
//
// The cards dealt are, call for call, those of the first version of the program, which
// drew its card indices with Boost.Random (boost::mt19937 through
// boost::uniform_int<unsigned>(0, 51) in a boost::variate_generator) and drew again while
// the card was taken. Every figure ever shown depends on that sequence; the tests hold
// this deck against the Boost draws.
class Deck {
public:
    // Cards as bits: bit i stands for the card of index i.
    using Cards = std::uint64_t;

    explicit Deck(unsigned seed);

    // The engine is large (two blocks of 624 words); a deck is never copied or moved.
    Deck(const Deck&) = delete;
    Deck& operator=(const Deck&) = delete;

    // reset, remove and deal are defined here: the simulation calls them for every card
    // of every simulated hand.

    // Makes every card available again. The engine runs on: the random sequence is
    // not restarted.
    void reset() { taken = never_available; }

    // Makes every card available again but `removed`, as reset() and remove() of each.
    void reset(Cards removed) { taken = never_available | removed; }

    // Takes a known card out of the deck. Removing a card that is already taken
    // changes nothing.
    void remove(const Card& card)
    {
        assert(is_real(card));
        taken |= bit(card.index());
    }

    // A random available card, now taken. Every available card is equally likely.
    // At least one card must be available.
    Card deal() { return Card::from_index(deal_index()); }

    // deal() as a card index.
    unsigned deal_index()
    {
        unsigned index = draw();
        while ((taken >> index) & 1u) {
            // Only a rejected draw can turn into an endless loop, so that is where the
            // caller's promise of an available card is checked.
            assert(any_available());
            index = draw();
        }
        taken |= bit(index);
        return index;
    }

    static constexpr Cards bit(unsigned index) { return Cards{1} << index; }

    // The deck's moving parts as plain values, for a loop that deals many cards: kept in
    // registers there instead of being written back after every card. Between
    // take_state and give_state only deal_index(State&) may touch the deck.
    struct State {
        Cards taken;
        std::size_t place;
    };
    State take_state() const { return {taken, engine.place()}; }
    void give_state(const State& state)
    {
        taken = state.taken;
        engine.set_place(state.place);
    }
    static void reset(State& state, Cards removed) { state.taken = never_available | removed; }

    // deal_index() on `state`: the same draws.
    unsigned deal_index(State& state)
    {
        unsigned index = draw(state.place);
        while ((state.taken >> index) & 1u) {
            assert((state.taken & all_cards) != all_cards);
            index = draw(state.place);
        }
        state.taken |= bit(index);
        return index;
    }

    // The card index that Boost's draw makes of an engine output, or 52 when it draws
    // again. The constant divisor lets the compiler multiply instead of divide; the
    // quotient is the same.
    static constexpr unsigned index_of_output(std::uint32_t output) { return output / bucket_size; }

private:
    static bool is_real(const Card& card)
    {
        return card.value >= 0 && card.value < Card::no_values && card.suit >= 0
               && card.suit < Card::no_suits;
    }
    bool any_available() const { return (taken & all_cards) != all_cards; }

    // Boost's draw of 0 .. 51 from a 32-bit engine, worked out once: the engine's range
    // (2^32 - 1) divided by the 52 results, raised by one only when that division leaves
    // 51, which it does not. An output divided by this bucket gives the card index;
    // the 48 outputs from 52 * bucket_size up give 52, which Boost draws again.
    static constexpr std::uint32_t engine_range = std::numeric_limits<std::uint32_t>::max();
    static constexpr std::uint32_t bucket_size =
        engine_range / Card::no_cards
        + (engine_range % Card::no_cards == Card::no_cards - 1 ? 1 : 0);
    static_assert(bucket_size == 82595524u);

    unsigned draw() { return index_of_output(engine()); }
    unsigned draw(std::size_t& place)
    {
        if (place == MersenneTwister::state_size) {
            engine.refill();
            place = 0;
        }
        return index_of_output(engine.output_at(place++));
    }

    static constexpr Cards all_cards = (Cards{1} << Card::no_cards) - 1;
    // Bit 52 stands for the draw 52 and is always taken, so that the draw of a taken
    // card and Boost's draw again after 52 are one test.
    static constexpr Cards never_available = Cards{1} << Card::no_cards;

    MersenneTwister engine;
    // Dealt or removed since the last reset, and the bit of the draw 52.
    Cards taken = never_available;
};

} // namespace poker

#endif
