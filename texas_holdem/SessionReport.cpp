#include "texas_holdem/SessionReport.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

#include "console/FolderLock.h"
#include "console/PendingFile.h"

namespace poker::texas_holdem {

namespace {

namespace fs = std::filesystem;

// Betting rounds a player can be still in at the end of: hole, flop, turn, river.
constexpr unsigned betting_rounds = 4;

const char* const players_file = "players.csv";
const char* const rounds_file = "rounds.csv";
const char* const summary_file = "summary.csv";

std::string ratio(double part, double whole)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", whole > 0 ? part / whole : 0.0);
    return text;
}

// File names in a folder, with their contents.
using Files = std::vector<std::pair<const char*, std::string>>;

// Writes `files` into `dir` with the folder locked for the whole write, so that two
// replays reporting to one folder take turns and leave one's set of files. Empty on
// success, otherwise the fault naming the final file and the system's reason (a folder
// that cannot be locked is named by the first file, which could not be written).
std::string write_files(const fs::path& dir, const Files& files)
{
    try {
        std::unique_ptr<console::FolderLock> lock;
        try {
            lock = std::make_unique<console::FolderLock>(dir.string());
        } catch (const std::system_error& failure) {
            throw std::system_error(failure.code(),
                                    "cannot write " + (dir / files.front().first).string());
        }
        // Every file is written before any replaces its target: a fault leaves the old set.
        std::vector<std::unique_ptr<console::PendingFile>> pending;
        for (const auto& [name, content] : files) {
            pending.push_back(std::make_unique<console::PendingFile>((dir / name).string()));
            pending.back()->write(content);
        }
        for (const auto& file : pending)
            file->replace_target();
    } catch (const std::system_error& failure) {
        return failure.what();
    }
    return "";
}

} // namespace

std::string SessionReport::replace_file(const std::string& path, const std::string& content)
{
    const fs::path target(path);
    const std::string name = target.filename().string();
    return write_files(target.parent_path().empty() ? fs::path(".") : target.parent_path(),
                       {{name.c_str(), content}});
}

std::string SessionReport::csv_field(const std::string& text)
{
    const bool needs_quotes = text.find_first_of(",\"\r\n") != std::string::npos
                              || (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!needs_quotes)
        return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string SessionReport::amount(float value)
{
    std::array<char, 32> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    return std::string(text.data(), result.ptr);
}

std::string SessionReport::players_csv(const SessionAnalyser& session)
{
    std::string csv = "name,game,round,stake_to_match,active,stake\n";
    for (const auto& entry : session.player_entries) {
        csv += csv_field(entry.name) + ',' + std::to_string(entry.game) + ','
               + std::to_string(entry.round) + ',' + amount(entry.stake_to_match) + ','
               + (entry.active ? "1" : "0") + ',' + amount(entry.stake) + '\n';
    }
    return csv;
}

std::string SessionReport::rounds_csv(const SessionAnalyser& session)
{
    std::string csv = "game,round,stake_to_match\n";
    for (const auto& entry : session.game_entries) {
        csv += std::to_string(entry.game) + ',' + std::to_string(entry.round) + ','
               + amount(entry.stake_to_match) + '\n';
    }
    return csv;
}

// A player's rows of one hand follow one another from round 0 on, so every round-0 row
// starts one hand of that player (two seats under one name stay two hands).
std::string SessionReport::summary_csv(const SessionAnalyser& session)
{
    struct Totals {
        unsigned hands = 0;
        std::array<unsigned, betting_rounds> still_in{};
        double stakes = 0;
    };
    std::map<std::string, Totals> players;
    for (const auto& entry : session.player_entries) {
        Totals& totals = players[entry.name];
        if (entry.round == 0) {
            ++totals.hands;
            totals.stakes += entry.stake;
        }
        if (entry.active && entry.round < betting_rounds)
            ++totals.still_in[entry.round];
    }

    std::string csv = "name,hands,in_after_hole,in_after_flop,in_after_turn,in_after_river,"
                      "average_stake\n";
    for (const auto& [name, totals] : players) {
        csv += csv_field(name) + ',' + std::to_string(totals.hands);
        for (const unsigned count : totals.still_in)
            csv += ',' + ratio(count, totals.hands);
        char average[32];
        std::snprintf(average, sizeof average, "%.2f",
                      totals.hands > 0 ? totals.stakes / totals.hands : 0.0);
        csv += ',' + std::string(average) + '\n';
    }
    return csv;
}

std::string SessionReport::check_directory(const std::string& directory)
{
    std::error_code failure;
    fs::create_directories(directory, failure);
    if (failure || !fs::is_directory(directory, failure))
        return "cannot create the directory " + directory
               + (failure ? ": " + failure.message() : std::string());
    try {
        const console::PendingFile probe((fs::path(directory) / summary_file).string());
    } catch (const std::system_error& failure) {
        return "cannot write in " + directory + ": " + failure.code().message();
    }
    return "";
}

std::string SessionReport::write(const SessionAnalyser& session, const std::string& directory)
{
    return write_files(fs::path(directory), {{players_file, players_csv(session)},
                                             {rounds_file, rounds_csv(session)},
                                             {summary_file, summary_csv(session)}});
}

} // namespace poker::texas_holdem
