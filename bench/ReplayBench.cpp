#include <sstream>
#include <string>

#include <benchmark/benchmark.h>

#include "app/Corvald.h"
#include "support/ModelDriver.h"
#include "support/ScopedConsole.h"
#include "texas_holdem/pokerstars/ReplaySequencer.h"

namespace {

using poker::texas_holdem::Corvald;
using poker::texas_holdem::ModelDriver;
using poker::texas_holdem::pokerstars::ReplaySequencer;

constexpr unsigned replayed_hands = 1000;

// A hand-history text of `hands` generated hands: two to six players, the button moving
// round the table, attendance and chat lines between them. Every third hand everybody
// folds to the big blind; the others see every card (all call, check the flop, a bet and
// calls on the turn, checks on the river) and end at the showdown.
std::string generated_hands(unsigned hands)
{
    std::ostringstream text;
    for (unsigned hand = 0; hand < hands; ++hand) {
        const unsigned players = 2 + hand % 5;
        const unsigned button = 1 + hand % players;
        const auto name = [](unsigned seat) { return "Player " + std::to_string(seat); };
        // Seats in the order of play: the seat after the button first.
        const auto seat_at = [&](unsigned i) { return 1 + (button + i) % players; };

        text << "PokerStars Game #" << 1000000 + hand
             << ":  Hold'em No Limit ($1/$2) - 2009/04/25 - 15:54:55 (ET)\n"
             << "Table 'Bench " << hand % 7 << "' 6-max Seat #" << button << " is the button\n";
        for (unsigned seat = 1; seat <= players; ++seat)
            text << "Seat " << seat << ": " << name(seat) << " ($200 in chips) \n";
        text << name(seat_at(0)) << ": posts small blind $1\n"
             << name(seat_at(1)) << ": posts big blind $2\n"
             << "*** HOLE CARDS ***\n";

        if (hand % 3 == 0) {
            for (unsigned i = 2; i < players + 1; ++i)
                text << name(seat_at(i % players)) << ": folds \n";
            text << "Uncalled bet ($1) returned to " << name(seat_at(1)) << "\n"
                 << "*** SUMMARY ***\nTotal pot $2 | Rake $0\n\n\n";
            continue;
        }
        for (unsigned i = 2; i < players + 2; ++i) {
            const unsigned seat = seat_at(i % players);
            text << name(seat) << (i == players + 1 ? ": checks\n" : ": calls $2\n");
        }
        text << "*** FLOP *** [Ah 7c 2d]\n";
        for (unsigned i = 0; i < players; ++i)
            text << name(seat_at(i)) << ": checks\n";
        text << name(seat_at(0)) << " said, \"nice\"\n"
             << "*** TURN *** [Ah 7c 2d] [Ks]\n"
             << name(seat_at(0)) << ": bets $4\n";
        for (unsigned i = 1; i < players; ++i)
            text << name(seat_at(i)) << ": calls $4\n";
        text << "*** RIVER *** [Ah 7c 2d Ks] [9h]\n";
        for (unsigned i = 0; i < players; ++i)
            text << name(seat_at(i)) << ": checks\n";
        text << "*** SHOW DOWN ***\n"
             << name(seat_at(0)) << ": shows [Qs Qd] (a pair of Queens)\n"
             << name(seat_at(0)) << " collected $" << 6 * players << " from pot\n"
             << "*** SUMMARY ***\nTotal pot $" << 6 * players << " | Rake $0\n"
             << "Board [Ah 7c 2d Ks 9h]\n\n"
             << name(seat_at(1)) << " leaves the table\n";
    }
    return text.str();
}

const std::string& bench_text()
{
    static const std::string text = generated_hands(replayed_hands);
    return text;
}

// Replays the whole text with one fresh `Driver` per hand; the count of hands replayed.
template <typename Play>
unsigned replay(const std::string& text, Play play)
{
    std::istringstream in(text);
    ReplaySequencer sequencer(in);
    while (sequencer.has_next_hand())
        play(sequencer);
    return sequencer.hands_replayed;
}

// The line reader and the grammar with the game model alone: no simulation, no drawing
// but the status rows.
void replay_grammar_only(benchmark::State& state)
{
    const console::ScopedConsole screen;
    const std::string& text = bench_text();
    for (auto _ : state) {
        const unsigned hands = replay(text, [](ReplaySequencer& s) { ModelDriver().go(s); });
        if (hands != replayed_hands)
            state.SkipWithError("the generated text did not replay");
        benchmark::DoNotOptimize(hands);
    }
    state.SetItemsProcessed(state.iterations() * replayed_hands);
}

// The replay as the program runs it: the live driver with its 10000-hand simulations and
// the whole table view after every event, drawn into memory.
void replay_with_simulations(benchmark::State& state)
{
    const console::ScopedConsole screen;
    const std::string& text = bench_text();
    for (auto _ : state) {
        const unsigned hands = replay(text, [](ReplaySequencer& s) { Corvald().go(s); });
        if (hands != replayed_hands)
            state.SkipWithError("the generated text did not replay");
        benchmark::DoNotOptimize(hands);
    }
    state.SetItemsProcessed(state.iterations() * replayed_hands);
}

} // namespace

BENCHMARK(replay_grammar_only)->Unit(benchmark::kMillisecond);
BENCHMARK(replay_with_simulations)->Unit(benchmark::kMillisecond)->Iterations(1);
