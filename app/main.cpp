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
#include "win32/Registry.h"

namespace {

using poker::texas_holdem::ConsoleSequencer;
using poker::texas_holdem::HandLoop;

const char product_key[] = "Software\\Arvelin Software\\Corvald Poker";
const char version_value[] = "Version";

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
    return win32::Registry::get_value(product_key, version_value);
}

// The live odds assistant: one console input source for the whole run, then hands for
// ever. The run ends, normally, when standard input does.
int run_live()
{
    resize_window();
    const std::string version = get_version();
    ConsoleSequencer sequencer(version);
    try {
        HandLoop::run(sequencer);
    } catch (const ConsoleSequencer::InputEnded&) {
    }
    return 0;
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

    Command command = run_live;

    // Subcommands. Each adds itself to `app` with add_subcommand and, from its callback,
    // replaces `command` with its own run; without one the live assistant runs.
    // A command that prints plain text, or reports a fault before it starts, clears
    // `needs_screen` and runs without the screen taking over the terminal.
    bool needs_screen = true;
    poker::texas_holdem::ReplayCommand::add_to(app, command, needs_screen);
    poker::texas_holdem::OddsCommand::add_to(app, command, needs_screen);
    poker::texas_holdem::StatsCommand::add_to(app, command, needs_screen);

    CLI11_PARSE(app, argc, argv);
    if (!needs_screen)
        return command();

    // The screen every command draws on: the terminal when standard output is one,
    // cells in memory otherwise, with std::cout writing into it. The terminal is handed
    // back however the process ends.
    const std::unique_ptr<console::Console> screen = console::Platform::install_console();
    const int status = command();
    console::Console::install(nullptr);
    return status;
}
