#include <algorithm>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include "poker/Card.h"
#include "texas_holdem/Calculator.h"
#include "texas_holdem/ExactOdds.h"

namespace {

using poker::Card;
using poker::texas_holdem::Calculator;
using poker::texas_holdem::ExactOdds;

unsigned every_core()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

// Ace and king of hearts against one opponent before the flop: every board, every
// holding (about 2.1 billion opponent hands), on every core.
void exact_ace_king_suited_before_the_flop(benchmark::State& state)
{
    std::vector<Card> seven(Calculator::no_user_cards);
    seven[0] = Card(12, Card::hearts);
    seven[1] = Card(11, Card::hearts);
    for (auto _ : state)
        benchmark::DoNotOptimize(ExactOdds::count(seven, 1, every_core()).wins.data());
}

// Seven and two against one opponent on a flop (every turn, river and holding).
void exact_seven_two_on_the_flop(benchmark::State& state)
{
    std::vector<Card> seven(Calculator::no_user_cards);
    seven[0] = Card(5, Card::clubs);
    seven[1] = Card(0, Card::diamonds);
    seven[2] = Card(12, Card::spades);
    seven[3] = Card(8, Card::hearts);
    seven[4] = Card(3, Card::spades);
    for (auto _ : state)
        benchmark::DoNotOptimize(ExactOdds::count(seven, 1, every_core()).wins.data());
}

} // namespace

BENCHMARK(exact_ace_king_suited_before_the_flop)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK(exact_seven_two_on_the_flop)->Unit(benchmark::kMillisecond)->UseRealTime();
