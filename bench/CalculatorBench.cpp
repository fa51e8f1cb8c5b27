#include <benchmark/benchmark.h>

#include "poker/Card.h"
#include "texas_holdem/Calculator.h"

namespace {

using poker::Card;
using poker::texas_holdem::Calculator;

// What the hand driver runs after every round's cards.
constexpr unsigned simulated_hands = Calculator::simulated_hands;

// One run with the players of the argument, every card unknown (the start of a hand).
void simulate_every_card_unknown(benchmark::State& state)
{
    Calculator calculator;
    calculator.setup(static_cast<unsigned>(state.range(0)) - 1);
    for (auto _ : state) {
        calculator.simulate_hands(simulated_hands);
        benchmark::DoNotOptimize(calculator.counts.data());
    }
    state.SetItemsProcessed(state.iterations() * simulated_hands);
}

// One run once the user's hole cards, ace and king of hearts, are known.
void simulate_ace_king_suited(benchmark::State& state)
{
    Calculator calculator;
    calculator.setup(static_cast<unsigned>(state.range(0)) - 1);
    calculator.set_hole(Card(12, Card::hearts), Card(11, Card::hearts));
    for (auto _ : state) {
        calculator.simulate_hands(simulated_hands);
        benchmark::DoNotOptimize(calculator.counts.data());
    }
    state.SetItemsProcessed(state.iterations() * simulated_hands);
}

} // namespace

BENCHMARK(simulate_every_card_unknown)->Arg(2)->Arg(4)->Arg(10)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(simulate_ace_king_suited)->Arg(2)->Arg(4)->Arg(10)->Arg(16)->Unit(benchmark::kMillisecond);
