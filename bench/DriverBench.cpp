// What the user waits for at the table: from a round's cards being entered to the terminal
// showing the new table (simulation, full refresh, render), and a refresh alone into the
// in-memory screen, which is all a bet, call or fold costs.
//
// Taking back an answer on the river: the hand played again from its first answer and
// sent to the terminal. The table is the live one, with the decision panel.
//
// Run: build-release/bench/corvald_bench --benchmark_filter=Driver
// Targets: 16 players, enter cards to terminal under 15 ms (median); refresh under 0.2 ms;
// take back on the river under 50 ms.

#include <istream>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/Corvald.h"
#include "app/HandLoop.h"
#include "console/TerminalRenderer.h"
#include "poker/Card.h"
#include "support/ScopedConsole.h"
#include "texas_holdem/AnswerLog.h"
#include "texas_holdem/ConsoleSequencer.h"
#include "texas_holdem/Game.h"
#include "texas_holdem/SequencerHelper.h"

namespace {

using poker::Card;
using poker::texas_holdem::AnswerLog;
using poker::texas_holdem::ConsoleSequencer;
using poker::texas_holdem::Corvald;
using poker::texas_holdem::Game;
using poker::texas_holdem::HandLoop;
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
    driver.show_panel = true;
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
    ->Arg(2)
    ->Arg(4)
    ->Arg(10)
    ->Arg(16)
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
    driver.show_panel = true;
    set_up_flop(driver, static_cast<unsigned>(state.range(0)));
    bool show_current = true;
    for (auto _ : state) {
        driver.refresh(show_current);
        show_current = !show_current;
        benchmark::ClobberMemory(); // the cells written must not be left out
    }
}
BENCHMARK(BM_DriverRefreshIntoMemory)
    ->Arg(2)
    ->Arg(4)
    ->Arg(10)
    ->Arg(16)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// Typing that gives `head` once, then `tail` over and over.
class RepeatingInput : public std::streambuf {
public:
    RepeatingInput(std::string head, std::string tail)
        : head_(std::move(head)), tail_(std::move(tail))
    {
        setg(head_.data(), head_.data(), head_.data() + head_.size());
    }

protected:
    int_type underflow() override
    {
        setg(tail_.data(), tail_.data(), tail_.data() + tail_.size());
        return traits_type::to_int_type(*gptr());
    }

private:
    std::string head_;
    std::string tail_;
};

// `u` typed at the second move of the river, in a hand where everybody checks or calls:
// the first river move is taken back, so the hand is played again from its first answer
// with all five simulations and a redraw after every event, and sent to the terminal.
// Each pass then types that move again and takes it back again.
void BM_DriverTakeBackOnTheRiver(benchmark::State& state)
{
    console::ScopedConsole scope;
    console::TerminalRenderer renderer;
    renderer.set_terminal_size(console::screen_width, console::screen_height);
    const auto players = static_cast<unsigned>(state.range(0));
    std::string everybody_calls;
    for (unsigned i = 0; i < players; ++i)
        everybody_calls += "c\n";
    RepeatingInput typing(std::to_string(players) + "\n1\n2\nahkd\n" + everybody_calls + "2c7d9h\n"
                              + everybody_calls + "ts\n" + everybody_calls + "2s\nc\nu\n",
                          "c\nu\n");
    std::istream input(&typing);
    ConsoleSequencer source("bench", input);
    AnswerLog answers(source);
    answers.start_hand();
    HandLoop::play_pass(answers, true);
    for (auto _ : state) {
        benchmark::DoNotOptimize(HandLoop::play_pass(answers, true));
        benchmark::DoNotOptimize(renderer.render(scope.screen, true).data());
    }
}
BENCHMARK(BM_DriverTakeBackOnTheRiver)
    ->Arg(2)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
