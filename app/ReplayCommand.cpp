#include "app/ReplayCommand.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <system_error>

#include "app/HandLoop.h"
#include "console/Console.h"
#include "texas_holdem/SessionAnalyser.h"
#include "texas_holdem/SessionReport.h"
#include "texas_holdem/pokerstars/HandHistoryError.h"
#include "texas_holdem/pokerstars/ReplaySequencer.h"

namespace poker::texas_holdem {

namespace {

namespace fs = std::filesystem;
using pokerstars::HandHistoryError;
using pokerstars::ReplaySequencer;

const char* const standard_input_name = "-";
const char* const standard_input_label = "standard input";
const char* const hand_file_extension = ".txt";

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

std::string hands_text(unsigned count)
{
    return std::to_string(count) + (count == 1 ? " hand" : " hands");
}

// "corvald: FILE: hand history line N: message", the form of every fault the replay
// reports; without "FILE: " when the replay reads a single input, which the user named.
void report_fault(const std::string& input, const HandHistoryError& fault)
{
    std::cerr << "corvald: " << input << (input.empty() ? "" : ": ") << "hand history line "
              << fault.line << ": " << fault.what() << std::endl;
}

// Every *.txt file below `directory`, sorted by path so that the order is the same on
// every system.
std::vector<std::string> hand_files_below(const std::string& directory)
{
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(directory)) {
        if (entry.is_regular_file() && entry.path().extension() == hand_file_extension)
            found.push_back(entry.path().string());
    }
    std::sort(found.begin(), found.end());
    if (found.empty())
        throw std::runtime_error("no " + std::string(hand_file_extension) + " file below "
                                 + directory);
    return found;
}

} // namespace

std::vector<std::string> ReplayCommand::expand(const std::vector<std::string>& paths)
{
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        std::error_code error;
        if (path == standard_input_name) {
            files.push_back(path);
        } else if (fs::is_directory(path, error)) {
            try {
                const auto below = hand_files_below(path);
                files.insert(files.end(), below.begin(), below.end());
            } catch (const fs::filesystem_error& fault) {
                throw std::runtime_error("cannot read " + path + ": " + fault.code().message());
            }
        } else if (!std::ifstream(path, std::ios::binary)) {
            throw std::runtime_error("cannot read " + path);
        } else {
            files.push_back(path);
        }
    }
    return files;
}

void ReplayCommand::add_to(CLI::App& app, std::function<int()>& command, bool& needs_screen)
{
    auto options = std::make_shared<Options>();
    auto delay_ms = std::make_shared<unsigned>(0);
    CLI::App* replay = app.add_subcommand(
        "replay", "Replay PokerStars hand histories with the odds beside every decision");
    replay->footer(
        "Reads the text the PokerStars client writes: the 2006-2008 form and the form written\n"
        "since (cash, Zoom, Home Game and tournament hands, any currency). When a hand names\n"
        "the player's own cards (\"Dealt to NAME [Ah Kd]\"), they go into the hole-card places\n"
        "and into the odds. A hand of another game (Omaha, stud, ...) stops the replay.\n"
        "Exit status: 0 when everything replayed, 1 when a hand stopped the replay or was\n"
        "skipped, 2 when a PATH or DIR cannot be used.");
    replay
        ->add_option("PATH", options->paths,
                     "Hand-history file, directory (every *.txt below it, in name order) "
                     "or - for standard input")
        ->required();
    replay->add_option("--delay", *delay_ms, "Pause after every redraw, in milliseconds")
        ->option_text("MS");
    replay
        ->add_option("--stats", options->stats_directory,
                     "Write players.csv, rounds.csv and summary.csv for all inputs to DIR at the "
                     "end (DIR locked meanwhile: a second replay waits)")
        ->option_text("DIR");
    replay->add_flag("--keep-going", options->keep_going,
                     "Report a faulty hand on standard error (file, line, message) and go on "
                     "at the next hand; ends with \"Replayed N hands, skipped M\"");

    // Checked while the command line is read, before the screen takes over the terminal,
    // so that a message about them stays readable.
    replay->callback([options, delay_ms, &command, &needs_screen] {
        options->delay = std::chrono::milliseconds(*delay_ms);
        std::string fault;
        std::vector<Input> inputs;
        try {
            for (const std::string& file : expand(options->paths)) {
                if (file == standard_input_name) {
                    inputs.push_back({standard_input_label, [] {
                                          return std::shared_ptr<std::istream>(
                                              &std::cin, [](std::istream*) {});
                                      }});
                } else {
                    inputs.push_back(
                        {file, [file] {
                             return std::shared_ptr<std::istream>(
                                 std::make_shared<std::ifstream>(file, std::ios::binary));
                         }});
                }
            }
        } catch (const std::runtime_error& error) {
            fault = error.what();
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
        command = [options, inputs] { return run(inputs, *options); };
    });
}

// The report is written whichever way the replay ends, before the last wait. Without
// --keep-going the first fault ends the replay: its message stands on row 3 (the replay
// put it there) until the space bar. With it, each fault goes to standard error at once
// and the replay goes on at the next hand's first line.
int ReplayCommand::run(const std::vector<Input>& inputs, const Options& options)
{
    console::Console::current().resize(console::screen_width, console::screen_height);
    SessionAnalyser session;
    const bool with_report = !options.stats_directory.empty();
    unsigned replayed = 0;
    unsigned skipped = 0;
    unsigned hand_number = 0;
    // The last input's replay shows the last word; its stream outlives it.
    std::shared_ptr<std::istream> stream;
    std::unique_ptr<ReplaySequencer> last;

    const bool name_inputs = inputs.size() > 1 || options.keep_going;
    for (const Input& input : inputs) {
        const std::string name = name_inputs ? input.name : std::string();
        last.reset();
        stream = input.open();
        last = std::make_unique<ReplaySequencer>(*stream);
        ReplaySequencer& replay = *last;
        replay.delay = options.delay;
        if (with_report)
            replay.session = &session;
        while (replay.has_next_hand()) {
            try {
                HandLoop::play_hand(replay, ++hand_number);
            } catch (const HandHistoryError& fault) {
                if (!options.keep_going) {
                    if (with_report)
                        write_report(session, options.stats_directory);
                    if (replay.wait_for_last_word())
                        report_fault(name, fault);
                    return faulty_hand_status;
                }
                report_fault(name, fault);
                ++skipped;
                replay.skip_to_next_hand();
            }
        }
        replayed += replay.hands_replayed;
    }

    const bool reported = !with_report || write_report(session, options.stats_directory);
    if (options.keep_going) {
        const std::string summary =
            "Replayed " + hands_text(replayed) + ", skipped " + std::to_string(skipped);
        if (last->show_last_word(summary))
            std::cerr << "corvald: " << summary << std::endl;
    } else if (last->show_last_word("Replayed " + hands_text(replayed))) {
        std::cerr << "corvald: " << hands_text(replayed) << " replayed" << std::endl;
    }
    if (!reported)
        return unusable_input_status;
    return skipped == 0 ? 0 : faulty_hand_status;
}

} // namespace poker::texas_holdem
