#include "app/StatsCommand.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <thread>

#include <nlohmann/json.hpp>

#include "app/ReplayCommand.h"
#include "console/Platform.h"
#include "texas_holdem/HandMoney.h"
#include "texas_holdem/SessionReport.h"

namespace poker::texas_holdem {

namespace {

using Totals = PlayerStatistics::Totals;
using Clock = std::chrono::steady_clock;

const char players_file[] = "players.csv";
const char results_file[] = "results.csv";
const char chart_file[] = "results.svg";
const char no_call[] = "-";
constexpr int json_indent = 2;
constexpr double percent = 100.0;

// The players' table as text cells: a header row, then one row per player. A value
// the hands cannot tell is an empty cell.
using Grid = std::vector<std::vector<std::string>>;

std::string fixed(std::optional<double> value, int decimals, double scale = 1.0)
{
    if (!value)
        return "";
    char text[48];
    std::snprintf(text, sizeof text, "%.*f", decimals, *value * scale);
    return text;
}

Grid grid(const StatsCollector& stats, std::uint64_t min_hands)
{
    // A column per unit that some row shown has money in.
    const std::vector<PlayerStatistics::Row> rows = stats.players.rows(min_hands);
    std::set<std::string> units;
    for (const PlayerStatistics::Row& row : rows)
        for (const auto& [unit, amount] : row.totals.net)
            units.insert(unit);
    Grid cells;
    std::vector<std::string> header{"player",       "hands", "vpip", "pfr", "3bet",
                                    "fold_to_3bet", "af",    "wtsd", "wsd", "bb_per_100"};
    for (const std::string& unit : units)
        header.push_back("net_" + unit);
    cells.push_back(header);
    for (const PlayerStatistics::Row& row : rows) {
        const Totals& t = row.totals;
        std::vector<std::string> line{row.name,
                                      std::to_string(t.hands),
                                      fixed(t.vpip(), 1, percent),
                                      fixed(t.pfr(), 1, percent),
                                      fixed(t.three_bet(), 1, percent),
                                      fixed(t.fold_to_three_bet(), 1, percent),
                                      t.aggression() ? fixed(t.aggression(), 2) : no_call,
                                      fixed(t.went_to_showdown(), 1, percent),
                                      fixed(t.won_at_showdown(), 1, percent),
                                      fixed(t.big_blinds_per_100(), 2)};
        for (const std::string& unit : units) {
            const auto found = t.net.find(unit);
            line.push_back(found == t.net.end() ? "" : HandMoney::text(found->second, unit));
        }
        cells.push_back(line);
    }
    return cells;
}

// Columns a terminal gives `text`: one per UTF-8 character (continuation bytes take none).
std::size_t columns(const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// Writes `text` to `path` in place of what was there; throws with the reason otherwise.
void write_file(const std::filesystem::path& path, const std::string& text)
{
    const std::string failure = SessionReport::replace_file(path.string(), text);
    if (!failure.empty())
        throw std::runtime_error(failure);
}

// "12 of 76 files, 3400 hands, 5200 hands/s", rewritten in place on a terminal.
class ProgressLine {
public:
    explicit ProgressLine(std::ostream& err) : err_(err), start_(Clock::now()) {}

    void show(const StatsCollector::Progress& progress)
    {
        // Rewritten a few times a second at most, so that the terminal does not slow the
        // reading down.
        const Clock::time_point now = Clock::now();
        if (now - last_ < refresh_interval)
            return;
        last_ = now;
        const double seconds = std::chrono::duration<double>(now - start_).count();
        char text[128];
        std::snprintf(text, sizeof text, "%zu of %zu files, %llu hands, %.0f hands/s",
                      progress.files_done, progress.files,
                      static_cast<unsigned long long>(progress.hands),
                      seconds > 0 ? static_cast<double>(progress.hands) / seconds : 0.0);
        const std::string line = text;
        err_ << '\r' << line << std::string(shown_ > line.size() ? shown_ - line.size() : 0, ' ')
             << std::flush;
        shown_ = line.size();
    }

    void clear()
    {
        if (shown_ > 0)
            err_ << '\r' << std::string(shown_, ' ') << '\r' << std::flush;
        shown_ = 0;
    }

private:
    static constexpr std::chrono::milliseconds refresh_interval{250};

    std::ostream& err_;
    Clock::time_point start_;
    Clock::time_point last_ = start_;
    std::size_t shown_ = 0;
};

} // namespace

std::string StatsCommand::table(const StatsCollector& stats, std::uint64_t min_hands)
{
    const Grid cells = grid(stats, min_hands);
    std::vector<std::size_t> widths(cells.front().size(), 0);
    for (const auto& row : cells)
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], columns(row[c].empty() ? no_call : row[c]));
    std::string text;
    for (const auto& row : cells) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const std::string& cell = row[c].empty() ? no_call : row[c];
            const std::string pad(widths[c] - columns(cell), ' ');
            // The name to the left, the figures to the right.
            line += c == 0 ? cell + pad : "  " + pad + cell;
        }
        text += line + '\n';
    }
    return text;
}

std::string StatsCommand::csv(const StatsCollector& stats, std::uint64_t min_hands)
{
    std::string text;
    for (const auto& row : grid(stats, min_hands)) {
        for (std::size_t c = 0; c < row.size(); ++c)
            text += (c == 0 ? "" : ",") + SessionReport::csv_field(row[c]);
        text += '\n';
    }
    return text;
}

std::string StatsCommand::json(const StatsCollector& stats, std::uint64_t min_hands)
{
    auto value = [](std::optional<double> share, double scale = 1.0) {
        return share ? nlohmann::json(*share * scale) : nlohmann::json(nullptr);
    };
    nlohmann::json players = nlohmann::json::array();
    for (const PlayerStatistics::Row& row : stats.players.rows(min_hands)) {
        const Totals& t = row.totals;
        nlohmann::json net = nlohmann::json::object();
        for (const auto& [unit, amount] : t.net)
            net[unit] = HandMoney::text(amount, unit);
        players.push_back({{"name", row.name},
                           {"hands", t.hands},
                           {"vpip", value(t.vpip(), percent)},
                           {"pfr", value(t.pfr(), percent)},
                           {"three_bet", value(t.three_bet(), percent)},
                           {"fold_to_three_bet", value(t.fold_to_three_bet(), percent)},
                           {"aggression_factor", value(t.aggression())},
                           {"went_to_showdown", value(t.went_to_showdown(), percent)},
                           {"won_at_showdown", value(t.won_at_showdown(), percent)},
                           {"big_blinds_per_100", value(t.big_blinds_per_100())},
                           {"net_won", net}});
    }
    const nlohmann::json document{{"hands", stats.hands},
                                  {"hero", stats.hero},
                                  {"skipped", stats.faults.size()},
                                  {"players", players}};
    // Names from files in another code page are no UTF-8: such bytes become U+FFFD.
    return document.dump(json_indent, ' ', false, nlohmann::json::error_handler_t::replace) + '\n';
}

int StatsCommand::run(const Options& options, std::ostream& out, std::ostream& err)
{
    StatsCollector stats;
    try {
        const std::vector<std::string> files = ReplayCommand::expand(options.paths);
        if (!options.out_directory.empty()) {
            const std::string fault = SessionReport::check_directory(options.out_directory);
            if (!fault.empty())
                throw std::runtime_error(fault);
        }
        ProgressLine progress(err);
        std::function<void(const StatsCollector::Progress&)> hook;
        if (options.progress)
            hook = [&progress](const StatsCollector::Progress& p) { progress.show(p); };
        stats.run(files, {options.hero, options.jobs}, hook);
        progress.clear();

        if (!options.out_directory.empty()) {
            const std::filesystem::path dir = options.out_directory;
            write_file(dir / players_file, csv(stats, options.min_hands));
            write_file(dir / results_file, stats.results.csv(stats.files));
            write_file(dir / chart_file, stats.results.svg(stats.hero));
        }
    } catch (const std::runtime_error& fault) {
        // A path, the --out folder or a file in it that cannot be used.
        err << "corvald stats: " << fault.what() << std::endl;
        return unusable_input_status;
    }

    for (const StatsCollector::Fault& fault : stats.faults)
        err << fault.file << ": line " << fault.line << ": " << fault.message << '\n';
    switch (options.format) {
    case Format::table: out << table(stats, options.min_hands); break;
    case Format::csv: out << csv(stats, options.min_hands); break;
    case Format::json: out << json(stats, options.min_hands); break;
    }
    err << "Read " << stats.hands << " hands from " << stats.files.size() << " files, skipped "
        << stats.faults.size();
    if (stats.repeated > 0)
        err << ", " << stats.repeated << " met again and counted once";
    if (!stats.hero.empty())
        err << "; hero " << stats.hero << ", " << stats.results.rows().size() << " hands";
    err << std::endl;
    return stats.faults.empty() ? 0 : skipped_hands_status;
}

void StatsCommand::add_to(CLI::App& app, std::function<int()>& command, bool& needs_screen)
{
    auto options = std::make_shared<Options>();
    options->jobs = std::max(1u, std::thread::hardware_concurrency());
    CLI::App* stats = app.add_subcommand(
        "stats", "Player statistics and the hero's results from hand-history files");
    stats
        ->add_option("PATH", options->paths,
                     "Hand-history files and directories (every *.txt below), - for standard "
                     "input")
        ->required();
    stats
        ->add_option("--hero", options->hero,
                     "Whose results to follow (default: the name most \"Dealt to\" lines name)")
        ->option_text("NAME");
    stats
        ->add_option("--min-hands", options->min_hands,
                     "Leave out players with fewer hands (default 1)")
        ->option_text("N");
    stats->add_option("--format", options->format, "table (default), csv or json")
        ->transform(CLI::CheckedTransformer(std::map<std::string, Format>{{"table", Format::table},
                                                                          {"csv", Format::csv},
                                                                          {"json", Format::json}},
                                            CLI::ignore_case))
        ->option_text("FORMAT");
    stats
        ->add_option("--out", options->out_directory,
                     "Write players.csv, results.csv and results.svg to DIR")
        ->option_text("DIR");
    stats->add_option("--jobs", options->jobs, "Files read side by side (default: every core)")
        ->check(CLI::PositiveNumber)
        ->option_text("N");
    stats->callback([options, &command, &needs_screen] {
        needs_screen = false;
        options->progress = console::Platform::error_is_terminal();
        command = [options] { return run(*options, std::cout, std::cerr); };
    });
}

} // namespace poker::texas_holdem
