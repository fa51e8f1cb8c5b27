#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <functional>
#include <iostream>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "app/HandLoop.h"
#include "app/OddsCommand.h"
#include "app/ReplayCommand.h"
#include "app/StatsCommand.h"
#include "app/Version.h"
#include "console/Console.h"
#include "console/Platform.h"
#include "texas_holdem/ConsoleSequencer.h"
#include "texas_holdem/InputEnded.h"
#include "win32/Registry.h"

namespace {

using poker::texas_holdem::ConsoleSequencer;
using poker::texas_holdem::HandLoop;

// A command line that cannot be read, whatever CLI11's own code for the fault.
constexpr int usage_status = 2;
// A fault that ends a command: output that could not be written, input that could not
// be read.
constexpr int failure_status = 1;

// What a command does once the command line is read and the screen is set up; its
// result is the process's exit status.
using Command = std::function<int()>;

// Every coordinate of the table view and the prompts lies inside this screen.
void resize_window()
{
    console::Console::current().resize(console::screen_width, console::screen_height);
}

// The registry's error texts ("no key path", "no key") come back as the version itself
// and are shown like one.
std::string get_version()
{
    using win32::Registry;
    return Registry::get_value(Registry::product_key, Registry::version_name);
}

// The live odds assistant: one console input source for the whole run, then hands for
// ever. The run ends when standard input does (the input source throws InputEnded).
// `with_panel`: the decision panel beside the table (off with --plain).
int run_live(bool with_panel)
{
    resize_window();
    ConsoleSequencer sequencer(get_version());
    HandLoop::run_live(sequencer, with_panel);
    return 0;
}

// Everything written to standard output must have arrived: a full disk or a closed
// descriptor is reported on standard error, and `status` turns into a failure.
int check_output(int status)
{
    errno = 0;
    std::cout.flush();
    const bool flushed = std::fflush(stdout) == 0;
    const int reason = errno;
    if (flushed && std::cout && !std::ferror(stdout))
        return status;
    std::cerr << "corvald: cannot write to standard output";
    if (reason != 0)
        std::cerr << ": " << std::strerror(reason);
    std::cerr << std::endl;
    return failure_status;
}

// Runs `command`, on the screen when it needs one. The screen is handed back before a
// fault is reported, so that the message stays in view.
int run_command(const Command& command, bool needs_screen)
{
    try {
        if (!needs_screen)
            return command();
        // The screen every command draws on: the terminal when standard output is one,
        // cells in memory otherwise, with std::cout writing into it. The terminal is
        // handed back however the process ends.
        const std::unique_ptr<console::Console> screen = console::Platform::install_console();
        // Uninstalled however the command ends, before the screen itself goes.
        struct Uninstall {
            ~Uninstall() { console::Console::install(nullptr); }
        } uninstall;
        return command();
    } catch (const poker::texas_holdem::InputEnded&) {
        return 0;
    } catch (const std::exception& fault) {
        std::cerr << "corvald: " << fault.what() << std::endl;
        return failure_status;
    }
}

} // namespace

int main(int argc, char** argv)
{
    CLI::App app{"Texas hold'em odds assistant: type in a hand as it is played and watch "
                 "your chances of winning against every number of opponents.",
                 "corvald"};
    app.set_version_flag("--version", std::string("corvald ") + CORVALD_VERSION,
                         "Show the version and exit");
    // Every option is a "--" option; on Windows CLI11 would otherwise read "/x" as one,
    // so a file given as "/path/hands.txt" was no file at all.
    app.allow_windows_style_options(false);
    app.footer("At every question of a hand the answer u takes back the hand's last answer "
               "and asks that question again.\n"
               "Exit status: 0 when done or at the end of the typed input; 1 for a fault "
               "while running (a line of a hand history that does not fit, input that cannot "
               "be read, output that cannot be written); 2 for a command line, file or "
               "report folder that cannot be used.");
    bool plain = false;
    app.add_flag("--plain", plain, "Draw the table without the decision panel beside it");

    Command command = [&plain] { return run_live(!plain); };

    // Subcommands. Each adds itself to `app` with add_subcommand and, from its callback,
    // replaces `command` with its own run; without one the live assistant runs.
    // A command that prints plain text, or reports a fault before it starts, clears
    // `needs_screen` and runs without the screen taking over the terminal.
    bool needs_screen = true;
    poker::texas_holdem::ReplayCommand::add_to(app, command, needs_screen);
    poker::texas_holdem::OddsCommand::add_to(app, command, needs_screen);
    poker::texas_holdem::StatsCommand::add_to(app, command, needs_screen);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& fault) {
        // --help and --version arrive here too, with CLI11's status 0; every real fault
        // ends with the one usage status.
        const int status = app.exit(fault);
        return check_output(status == 0 ? 0 : usage_status);
    }
    return check_output(run_command(command, needs_screen));
}
