#ifndef CORVALD_APP_REPLAYCOMMAND_H
#define CORVALD_APP_REPLAYCOMMAND_H

#include <chrono>
#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace poker::texas_holdem {

// `corvald replay PATH... [--delay MS] [--stats DIR] [--keep-going]`: replays PokerStars
// hand-history files through the live program's hand loop, driver, model and table view,
// with the replay's status rows at the top of the screen. A PATH is a file, a directory
// (every *.txt file below it, in name order) or "-" for standard input.
//
// Exit status: 0 when every input is used up without a fault, 1 when a hand stopped the
// replay (the message stays on the screen until the space bar, or goes to standard error
// without a keyboard) or, with --keep-going, when a hand was skipped; 2 when a PATH cannot
// be read or DIR cannot take the report.
class ReplayCommand {
public:
    ReplayCommand() = delete;

    struct Options {
        std::vector<std::string> paths;
        // Pause after every redraw, so that a person can follow each hand.
        std::chrono::milliseconds delay{0};
        // Where the session report goes; empty for none.
        std::string stats_directory;
        // A faulty hand is reported on standard error and skipped, not the end.
        bool keep_going = false;
    };

    // One input of the replay: its name in messages and the stream to read.
    struct Input {
        std::string name;
        std::function<std::shared_ptr<std::istream>()> open;
    };

    // Adds the subcommand to `app`. When it is chosen, `command` becomes the replay; when
    // an input cannot be opened or its report directory not written, `command` reports
    // that instead and `needs_screen` turns false, so the message is not drawn over.
    static void add_to(CLI::App& app, std::function<int()>& command, bool& needs_screen);

    // The files that `paths` name, in replay order; throws std::runtime_error naming a
    // path that is neither a readable file, a directory nor "-".
    static std::vector<std::string> expand(const std::vector<std::string>& paths);

    // The replay of `inputs` on the installed console; returns the exit status.
    static int run(const std::vector<Input>& inputs, const Options& options);

    static constexpr int faulty_hand_status = 1;
    static constexpr int unusable_input_status = 2;
};

} // namespace poker::texas_holdem

#endif
