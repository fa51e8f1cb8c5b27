#ifndef CORVALD_APP_STATSCOMMAND_H
#define CORVALD_APP_STATSCOMMAND_H

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "texas_holdem/StatsCollector.h"

namespace poker::texas_holdem {

// `corvald stats PATH... [--hero NAME] [--min-hands N] [--format table|csv|json]
// [--out DIR] [--jobs N]`: what a tracker tells about every player of a folder of hand
// histories, and the hero's results hand by hand with the luck of his all-ins taken out.
// Nothing is drawn and nothing simulated.
//
// Exit status: 0 when every hand was read, 1 when a faulty hand was skipped (each one is
// named on standard error), 2 when a path cannot be read or DIR cannot take the files.
class StatsCommand {
public:
    StatsCommand() = delete;

    enum class Format { table, csv, json };

    struct Options {
        std::vector<std::string> paths;
        std::string hero;
        std::uint64_t min_hands = 1;
        Format format = Format::table;
        std::string out_directory; // empty: no files
        unsigned jobs = 1;
        bool progress = false; // a progress line on standard error
    };

    static constexpr int skipped_hands_status = 1;
    static constexpr int unusable_input_status = 2;

    // Adds the subcommand to `app`; when chosen, `command` becomes the statistics and
    // `needs_screen` turns false: the answer is plain text.
    static void add_to(CLI::App& app, std::function<int()>& command, bool& needs_screen);

    // The players' table in each format, from `stats` (rows with `min_hands` or more).
    static std::string table(const StatsCollector& stats, std::uint64_t min_hands);
    static std::string csv(const StatsCollector& stats, std::uint64_t min_hands);
    static std::string json(const StatsCollector& stats, std::uint64_t min_hands);

    // The whole command: the table on `out`, faults, progress and the count on `err`.
    static int run(const Options& options, std::ostream& out, std::ostream& err);
};

} // namespace poker::texas_holdem

#endif
