#include <benchmark/benchmark.h>

#include "poker/Card.h"

static void card_index(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(poker::Card::from_index(13).index());
}
BENCHMARK(card_index);
