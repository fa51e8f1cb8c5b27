#include "app/ReplayCommand.h"

#include <fstream>
#include <iostream>

#include "app/HandLoop.h"
#include "console/Console.h"
#include "texas_holdem/SessionAnalyser.h"
#include "texas_holdem/SessionReport.h"
#include "texas_holdem/pokerstars/ReplaySequencer.h"

namespace poker::texas_holdem {

namespace {

using pokerstars::ReplaySequencer;

const char* const standard_input_name = "-";

// Writes the session report, saying on standard error when it could not be written.
// False then.
bool write_report(const SessionAnalyser& session, const std::string& directory)
{
    const std::string failure = SessionReport::write(session, directory);
    if (failure.empty())
        return true;
    std::cerr << "corvald: session report: " << failure << std::endl;
    return false;
}

} // namespace

void ReplayCommand::add_to(CLI::App& app, std::function<int()>& command, bool& needs_screen)
{
    auto options = std::make_shared<Options>();
    auto delay_ms = std::make_shared<unsigned>(0);
    CLI::App* replay = app.add_subcommand(
        "replay", "Replay a PokerStars hand-history file with the odds beside every hand");
    replay->add_option("FILE", options->file, "Hand-history file, - for standard input")
        ->required();
    replay->add_option("--delay", *delay_ms, "Pause after every redraw, in milliseconds")
        ->option_text("MS");
    replay->add_option("--stats", options->stats_directory,
                       "Write players.csv, rounds.csv and summary.csv to DIR at the end "
                       "(DIR locked meanwhile: a second replay waits)")
        ->option_text("DIR");

    // Checked while the command line is read, before the screen takes over the terminal,
    // so that a message about them stays readable.
    replay->callback([options, delay_ms, &command, &needs_screen] {
        options->delay = std::chrono::milliseconds(*delay_ms);
        std::string fault;
        std::shared_ptr<std::istream> in;
        if (options->file == standard_input_name) {
            in = std::shared_ptr<std::istream>(&std::cin, [](std::istream*) {});
        } else {
            auto file = std::make_shared<std::ifstream>(options->file, std::ios::binary);
            if (!*file)
                fault = "cannot read " + options->file;
            in = file;
        }
        if (fault.empty() && !options->stats_directory.empty())
            fault = SessionReport::check_directory(options->stats_directory);

        if (!fault.empty()) {
            needs_screen = false;
            command = [fault] {
                std::cerr << "corvald replay: " << fault << std::endl;
                return unusable_input_status;
            };
            return;
        }
        command = [options, in] { return run(*in, *options); };
    });
}

// The report is written whichever way the replay ends: at the clean end below, and from
// the error hook before an error ends the process (the hook runs while the message is
// on the screen).
int ReplayCommand::run(std::istream& in, const Options& options)
{
    console::Console::current().resize(console::screen_width, console::screen_height);

    ReplaySequencer replay(in);
    replay.delay = options.delay;
    SessionAnalyser session;
    const bool with_report = !options.stats_directory.empty();
    if (with_report) {
        replay.session = &session;
        replay.set_error_hook([&session, &options](const std::string&) {
            write_report(session, options.stats_directory);
        });
    }

    HandLoop::run(replay, [&replay](unsigned) { return replay.has_next_hand(); });

    const bool reported = !with_report || write_report(session, options.stats_directory);
    replay.show_end();
    return reported ? 0 : unusable_input_status;
}

} // namespace poker::texas_holdem
