// What the user waits for at the table: from a round's cards being entered to the terminal
// showing the new table (simulation, full refresh, render), and a refresh alone into the
// in-memory screen, which is all a bet, call or fold costs.
//
// Run: build-release/bench/corvald_bench --benchmark_filter=Driver
// Targets: 16 players, enter cards to terminal under 15 ms (median); refresh under 0.2 ms.

#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/Corvald.h"
#include "console/TerminalRenderer.h"
#include "poker/Card.h"
#include "support/ScopedConsole.h"
#include "texas_holdem/Game.h"
#include "texas_holdem/SequencerHelper.h"

namespace {

using poker::Card;
using poker::texas_holdem::Corvald;
using poker::texas_holdem::Game;
using poker::texas_holdem::SequencerHelper;

std::vector<Card> parse(const std::string& notation)
{
    std::vector<Card> cards(notation.size() / 2);
    SequencerHelper::parse(notation, cards);
    return cards;
}

// A driver in the flop round of a hand of `players`, its hole cards known, blinds posted
// and a third of the players folded, the way the table looks when the flop is entered.
void set_up_flop(Corvald& driver, unsigned players)
{
    std::vector<std::string> names;
    for (unsigned i = 1; i <= players; ++i)
        names.push_back("P" + std::to_string(i));
    driver.calculator.setup(players - 1);
    driver.game.new_hand(names);
    driver.game.blind(1);
    driver.game.blind(2);
    const std::vector<Card> hole = parse("ahkd");
    driver.calculator.set_hole(hole[0], hole[1]);
    for (unsigned i = 0; !driver.game.round_over(); ++i) {
        if (i % 3 == 2)
            driver.game.fold();
        else
            driver.game.raise(0);
    }
    driver.game.advance_round(hole);
    driver.calculate();
}

// Cards entered -> new simulation -> refresh -> bytes for the terminal. The flop
// alternates between two boards so that every pass changes the cards and the figures
// the terminal has to be sent.
void cards_entered_to_terminal(benchmark::State& state, bool full_repaint)
{
    console::ScopedConsole scope;
    Corvald driver;
    set_up_flop(driver, static_cast<unsigned>(state.range(0)));
    console::TerminalRenderer renderer;
    renderer.set_terminal_size(console::screen_width, console::screen_height);
    driver.refresh(true);
    benchmark::DoNotOptimize(renderer.render(scope.screen, true));

    const std::vector<std::vector<Card>> boards = {parse("2c7d9h"), parse("qsjsth")};
    std::size_t pass = 0;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<Card>& board = boards[pass++ % boards.size()];
        driver.calculator.set_flop(board[0], board[1], board[2]);
        driver.calculate();
        driver.refresh(true);
        if (full_repaint)
            renderer.invalidate();
        const std::string_view out = renderer.render(scope.screen, true);
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes/pass"] =
        benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kAvgIterations);
}
void BM_DriverCardsEnteredToTerminal(benchmark::State& state)
{
    cards_entered_to_terminal(state, false);
}
BENCHMARK(BM_DriverCardsEnteredToTerminal)
    ->Arg(2)->Arg(4)->Arg(10)->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// The same with the terminal repainted in full (after a window change, say): the upper
// bound of what the render adds.
void BM_DriverCardsEnteredToFullRepaint(benchmark::State& state)
{
    cards_entered_to_terminal(state, true);
}
BENCHMARK(BM_DriverCardsEnteredToFullRepaint)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// A move's cost: the whole table view redrawn into the in-memory screen.
void BM_DriverRefreshIntoMemory(benchmark::State& state)
{
    console::ScopedConsole scope;
    Corvald driver;
    set_up_flop(driver, static_cast<unsigned>(state.range(0)));
    bool show_current = true;
    for (auto _ : state) {
        driver.refresh(show_current);
        show_current = !show_current;
        benchmark::DoNotOptimize(scope.screen.revision());
    }
}
BENCHMARK(BM_DriverRefreshIntoMemory)
    ->Arg(2)->Arg(4)->Arg(10)->Arg(16)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace
