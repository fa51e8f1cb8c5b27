#ifndef CORVALD_APP_REPLAYCOMMAND_H
#define CORVALD_APP_REPLAYCOMMAND_H

#include <chrono>
#include <functional>
#include <istream>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

namespace poker::texas_holdem {

// `corvald replay FILE [--delay MS] [--stats DIR]`: replays a PokerStars hand-history
// file ("-": standard input) through the live program's hand loop, driver, model and
// table view, with the replay's status rows at the top of the screen.
//
// Exit status: 0 when the text is used up after at least one hand, 1 when a line does not
// fit (the message stays on the screen until the space bar, or goes to standard error
// without a keyboard), 2 when the file cannot be read or DIR cannot take the report
// (checked before the replay; a report that fails at the end names the file and reason).
class ReplayCommand {
public:
    ReplayCommand() = delete;

    struct Options {
        std::string file;
        // Pause after every redraw, so that a person can follow each hand.
        std::chrono::milliseconds delay{0};
        // Where the session report goes; empty for none.
        std::string stats_directory;
    };

    // Adds the subcommand to `app`. When it is chosen, `command` becomes the replay; when
    // its input cannot be opened or its report directory not written, `command` reports
    // that instead and `needs_screen` turns false, so the message is not drawn over.
    static void add_to(CLI::App& app, std::function<int()>& command, bool& needs_screen);

    // The replay on the installed console; reads `in` to its end or to the first line
    // that does not fit (which ends the process with status 1).
    static int run(std::istream& in, const Options& options);

    static constexpr int unusable_input_status = 2;
};

} // namespace poker::texas_holdem

#endif
