#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/ReplayCommand.h"
#include "texas_holdem/AllInEquity.h"
#include "texas_holdem/StatsCollector.h"

namespace {

namespace fs = std::filesystem;
using poker::Card;
using poker::texas_holdem::AllInEquity;
using poker::texas_holdem::ReplayCommand;
using poker::texas_holdem::StatsCollector;

constexpr std::uint64_t folder_hands = 100000;
const char header_start[] = "PokerStars";

std::string shared_histories()
{
    return std::string(CORVALD_SOURCE_DIR) + "/../shared/hand-histories/current";
}

// A temporary folder of the shared real files copied over and over, each copy's hand
// numbers made its own (the copy number put before them), until it holds `hands` hands.
// Made once per run.
const std::vector<std::string>& replicated_folder(std::uint64_t hands)
{
    static std::vector<std::string> files;
    if (!files.empty())
        return files;
    const fs::path folder = fs::temp_directory_path() / "corvald-stats-bench";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::vector<std::string> originals = ReplayCommand::expand({shared_histories()});
    std::uint64_t written = 0;
    for (unsigned copy = 1; written < hands; ++copy) {
        for (std::size_t i = 0; i < originals.size() && written < hands; ++i) {
            std::ifstream in(originals[i], std::ios::binary);
            const fs::path name =
                folder / ("copy" + std::to_string(copy) + "-" + std::to_string(i) + ".txt");
            std::ofstream out(name, std::ios::binary);
            std::string line;
            while (std::getline(in, line)) {
                const std::size_t number = line.find('#');
                if (line.find(header_start) != std::string::npos && number != std::string::npos) {
                    line.insert(number + 1, std::to_string(copy));
                    ++written;
                }
                out << line << '\n';
            }
            files.push_back(name.string());
        }
    }
    return files;
}

// The whole statistics over about 100,000 real hands, all-in enumerations included, on
// `state.range(0)` threads; `state.range(1)` 0 makes every all-in enumerated afresh. The
// copies repeat the same all-ins, which the threads otherwise remember: with it off, the
// rate is the one a player's own folder, whose all-ins do not repeat, would see.
void stats_over_replicated_folder(benchmark::State& state)
{
    const std::vector<std::string>& files = replicated_folder(folder_hands);
    StatsCollector::Options options{"", static_cast<unsigned>(state.range(0))};
    options.remember_all_ins = state.range(1) != 0;
    std::uint64_t hands = 0;
    for (auto _ : state) {
        StatsCollector stats;
        stats.run(files, options);
        hands += stats.hands;
        benchmark::DoNotOptimize(stats.results.rows().data());
    }
    state.counters["hands/s"] =
        benchmark::Counter(static_cast<double>(hands), benchmark::Counter::kIsRate);
}
// One thread, timed by the process's processor time: the one-core rate, whatever else the
// machine runs. Two threads, timed by the clock: what the reading side by side gains.
BENCHMARK(stats_over_replicated_folder)
    ->ArgNames({"jobs", "remember"})
    ->Args({1, 1})
    ->Args({1, 0})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(stats_over_replicated_folder)
    ->ArgNames({"jobs", "remember"})
    ->Args({2, 1})
    ->Args({2, 0})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The dearest exact enumeration: two players all-in before the flop, every board of the
// 48 cards left (1,712,304 boards).
void all_in_before_the_flop(benchmark::State& state)
{
    AllInEquity::Situation situation;
    situation.hands = {{Card(12, Card::spades), Card(12, Card::diamonds)},
                       {Card(11, Card::diamonds), Card(10, Card::diamonds)}};
    situation.pot_players = {0b11};
    for (auto _ : state)
        benchmark::DoNotOptimize(AllInEquity::enumerate(situation).wins.data());
}
BENCHMARK(all_in_before_the_flop)->Unit(benchmark::kMillisecond);

} // namespace
