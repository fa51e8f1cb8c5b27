#include <fstream>
#include <sstream>
#include <string>

#include <vector>

#include <benchmark/benchmark.h>

#include "app/Corvald.h"
#include "support/ScopedConsole.h"
#include "texas_holdem/pokerstars/HandHistoryError.h"
#include "texas_holdem/pokerstars/HandReader.h"
#include "texas_holdem/pokerstars/RecordSequencer.h"

namespace {

using poker::texas_holdem::pokerstars::HandHistoryError;
using poker::texas_holdem::pokerstars::HandReader;
using poker::texas_holdem::pokerstars::HandRecord;
using poker::texas_holdem::pokerstars::RecordSequencer;

// Hands of the large file played through the table per benchmark run.
constexpr std::size_t driven_hands = 200;

// The largest real file of the shared samples: a 2009 cash data set of about 900 hands.
const char* const large_real_file = CORVALD_SOURCE_DIR
    "/../shared/hand-histories/current/jkt3000/hands1.txt";

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
    state.counters["hands/s"] =
        benchmark::Counter(static_cast<double>(hands), benchmark::Counter::kIsRate);
}
BENCHMARK(current_grammar_real_file)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first hands of the same file, read beforehand, played through the hand driver with
// its full simulations and the table view into the in-memory screen.
void current_hands_with_simulations(benchmark::State& state)
{
    std::ifstream file(large_real_file, std::ios::binary);
    if (!file) {
        state.SkipWithError("the shared real hand histories are missing");
        return;
    }
    HandReader reader(file, "hands1.txt");
    std::vector<HandRecord> records(driven_hands);
    for (HandRecord& record : records) {
        if (!reader.next(record)) {
            state.SkipWithError("the file holds fewer hands");
            return;
        }
    }
    const console::ScopedConsole screen;
    std::int64_t hands = 0;
    for (auto _ : state) {
        for (const HandRecord& record : records) {
            RecordSequencer source(record);
            poker::texas_holdem::Corvald driver;
            driver.go(source);
            benchmark::DoNotOptimize(driver.calculator);
        }
        hands += static_cast<std::int64_t>(records.size());
    }
    state.counters["hands/s"] =
        benchmark::Counter(static_cast<double>(hands), benchmark::Counter::kIsRate);
}
BENCHMARK(current_hands_with_simulations)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
