#ifndef CORVALD_TEXAS_HOLDEM_STATSCOLLECTOR_H
#define CORVALD_TEXAS_HOLDEM_STATSCOLLECTOR_H

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include <boost/unordered/unordered_flat_set.hpp>

#include "texas_holdem/HeroResults.h"
#include "texas_holdem/PlayerStatistics.h"

namespace poker::texas_holdem {

// Reads hand-history files and gathers the player statistics and one player's results
// over all of them. Files are read side by side on `jobs` threads and put together in
// the order given, so the outcome is the same for any number of threads. A hand met
// again (the same hand number, from overlapping files or a file given twice) counts once,
// where it was met first. Faulty hands are skipped and listed, never dropped silently.
class StatsCollector {
public:
    struct Options {
        // Whose results are followed; empty: the name most "Dealt to" lines name.
        std::string hero;
        unsigned jobs = 1;
        // Whether each thread keeps the all-in shares it has worked out for situations met
        // again (the same either way; off for measuring folders whose all-ins repeat).
        bool remember_all_ins = true;
    };

    // A hand that could not be read.
    struct Fault {
        std::string file;
        std::uint32_t line = 0;
        std::string message;
    };

    // How far the reading is, for a progress line.
    struct Progress {
        std::size_t files_done = 0;
        std::size_t files = 0;
        std::uint64_t hands = 0;
    };

    // Reads `files` ("-" for standard input) with `options`; `progress` is called now and then from
    // the calling thread while the files are read.
    void run(const std::vector<std::string>& files, const Options& options,
             const std::function<void(const Progress&)>& progress = {});

    PlayerStatistics players;
    // The followed player's hands, in file order; `hero` names him (empty for nobody).
    HeroResults results;
    std::string hero;
    std::vector<std::string> files;
    std::vector<Fault> faults;
    std::uint64_t hands = 0;     // distinct hands counted
    std::uint64_t repeated = 0;  // hands met again and not counted again
    std::uint64_t cancelled = 0; // hands the table cancelled

private:
    struct FileResult;

    // The hand numbers counted so far. Numbers are kept as numbers in a flat table (about
    // ten bytes each, so a million hands take little room), other names as text.
    class CountedHands {
    public:
        bool contains(const std::string& id) const;
        void insert(const std::string& id);

    private:
        static constexpr std::size_t max_digits = 18; // stays below 2^63
        static bool as_number(const std::string& id, std::uint64_t& number);

        boost::unordered_flat_set<std::uint64_t> numbers_;
        std::unordered_set<std::string> others_;
    };

    // Reads file number `index`, leaving out the hands in `known` when given.
    // `read` counts the hands as they are read; `equity` is the calling thread's.
    FileResult read_file(std::size_t index, const CountedHands* known, const Options& options,
                         std::atomic<std::uint64_t>& read, AllInEquity& equity) const;

    // Standard input, read once so that it can be read again like a file.
    std::string standard_input_;

    CountedHands counted_;
};

} // namespace poker::texas_holdem

#endif
