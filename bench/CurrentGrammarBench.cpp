#include <fstream>
#include <sstream>
#include <string>

#include <benchmark/benchmark.h>

#include "texas_holdem/pokerstars/HandHistoryError.h"
#include "texas_holdem/pokerstars/HandReader.h"

namespace {

using poker::texas_holdem::pokerstars::HandHistoryError;
using poker::texas_holdem::pokerstars::HandReader;
using poker::texas_holdem::pokerstars::HandRecord;

// The largest real file of the shared samples: a 2009 cash data set of about 900 hands.
const char* const large_real_file =
    CORVALD_SOURCE_DIR "/../shared/hand-histories/current/jkt3000/hands1.txt";

// The line reader, the current grammar and the pot ledger over a real file held in
// memory: every hand read into one reused record, its money checked.
void current_grammar_real_file(benchmark::State& state)
{
    std::ifstream file(large_real_file, std::ios::binary);
    if (!file) {
        state.SkipWithError("the shared real hand histories are missing");
        return;
    }
    std::ostringstream buffer;
    buffer << file.rdbuf();
    const std::string text = buffer.str();

    HandRecord record;
    std::int64_t hands = 0;
    for (auto _ : state) {
        std::istringstream in(text);
        HandReader reader(in, "hands1.txt");
        try {
            while (reader.next(record))
                ++hands;
        } catch (const HandHistoryError& fault) {
            state.SkipWithError(fault.what());
            return;
        }
        benchmark::DoNotOptimize(record.total_pot);
    }
    state.counters["hands/s"] = benchmark::Counter(static_cast<double>(hands),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(current_grammar_real_file)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
