#ifndef CORVALD_TEXAS_HOLDEM_SESSIONREPORT_H
#define CORVALD_TEXAS_HOLDEM_SESSIONREPORT_H

#include <string>

#include "texas_holdem/SessionAnalyser.h"

namespace poker::texas_holdem {

// The statistics of a session as three CSV files in one directory, for a spreadsheet:
//
// - players.csv: SessionAnalyser's player table, one row per player per round played;
// - rounds.csv: its round table, one row per betting round of every hand;
// - summary.csv: per player name, the hands played, the share of those hands in which
//   the player was still in at the end of the hole, flop, turn and river rounds (a round
//   the hand never reached counts as not still in), and the average final stake.
//
// Every file starts with a header row; fields are quoted where CSV needs it. A file is
// written beside its final name under a name of its own and renamed over it, so a reader
// sees the old report or the new one, never half of one; the directory is locked for the
// whole write, so two programs reporting to it take turns (the second waits), and a
// signal that ends the process removes the files not yet renamed. Failures come back as
// text naming the final file and the system's reason; nothing is thrown.
class SessionReport {
public:
    SessionReport() = delete;

    // Creates `directory` when missing and proves that a file can be written in it.
    // Empty when the report can be written there, otherwise why not.
    static std::string check_directory(const std::string& directory);

    // Writes (replaces) the three files. Empty on success, otherwise what failed.
    static std::string write(const SessionAnalyser& session, const std::string& directory);

    static std::string players_csv(const SessionAnalyser& session);
    static std::string rounds_csv(const SessionAnalyser& session);
    static std::string summary_csv(const SessionAnalyser& session);

    // `text` as one CSV field: in double quotes, inner quotes doubled, when it holds a
    // comma, a quote, a line break or surrounding blanks; unchanged otherwise.
    static std::string csv_field(const std::string& text);

    // Writes `content` beside `path` under a name of its own and renames it over `path`,
    // with the folder locked meanwhile, so that a reader sees the old file or the new one,
    // never half of one. Empty on success, otherwise what failed.
    static std::string replace_file(const std::string& path, const std::string& content);

    // An amount as the shortest text that reads back as the same float ("12.4", "6").
    static std::string amount(float value);
};

} // namespace poker::texas_holdem

#endif
