#ifndef CORVALD_APP_ODDSCOMMAND_H
#define CORVALD_APP_ODDSCOMMAND_H

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "poker/Card.h"
#include "texas_holdem/Sequencer.h"

namespace poker::texas_holdem {

// `corvald odds HOLE [BOARD] --players N [--hands H] [--seed S] [--json]`: the table's
// winning chances for one situation, printed instead of drawn. HOLE is two cards and
// BOARD 0, 3, 4 or 5 in the card notation ("ahkd", "qsjsts"); without HOLE the user's
// cards are dealt at random like every unknown card. The same calculator as the live
// table runs, with its seed and hand count unless given, and makes the same runs in the
// same order: nothing known, then each step of cards given; the figures are those of the
// last run.
//
// For every number of opponents k from 0 to N - 1 it prints the chance of beating the
// first k opponents (counts[k] / counts[0]) and the table's weighted figure
// (probability(k, 0.5)), as an aligned table or as one JSON object. Bad input gets one
// line on standard error naming the fault and exit status 2.
//
// With `--exact [--jobs J]` the chances are counted over every case instead (ExactOdds),
// when there are at most ExactOdds::max_cases of them.
class OddsCommand {
public:
    OddsCommand() = delete;

    // The command line as typed; numbers stay text until read() checks them.
    struct Arguments {
        std::string hole;
        std::string board;
        std::string players;
        std::string hands;
        std::string seed;
        bool json = false;
        bool exact = false;
        std::string jobs{};
    };

    // What the calculator is asked.
    struct Question {
        std::vector<Card> hole; // empty: dealt at random
        std::vector<Card> board;
        unsigned players = 0;
        unsigned hands = 0;
        unsigned seed = 0;
        // Every case counted instead of a simulation, on `jobs` threads.
        bool exact = false;
        unsigned jobs = 1;
    };

    struct Answer {
        Question question;
        // Simulated: counts[0] hands, counts[k] of them won against k opponents. Exact:
        // cases[k] the cases for k opponents and counts[k] of them won.
        std::vector<std::uint64_t> counts;
        std::vector<std::uint64_t> cases;
        std::vector<double> beat;
        std::vector<double> weighted;
    };

    static constexpr unsigned min_players = 2;
    static constexpr unsigned max_players = Sequencer::max_players;
    static constexpr int bad_input_status = 2;
    // About a second per run (five runs at most): more would look like a hang.
    static constexpr unsigned max_hands = 10'000'000;
    static constexpr unsigned max_jobs = 256;

    // Adds the subcommand to `app`; when chosen, `command` becomes the odds and
    // `needs_screen` turns false, since the answer is plain text on standard output.
    static void add_to(CLI::App& app, std::function<int()>& command, bool& needs_screen);

    // Checks the arguments. Empty when they are usable (then `question` is filled),
    // otherwise the fault in one line.
    static std::string read(const Arguments& arguments, Question& question);

    static Answer ask(const Question& question);

    static std::string table(const Answer& answer);
    static std::string json(const Answer& answer);

    // The whole command: the answer on `out`, or the fault on `err` and status 2.
    static int run(const Arguments& arguments, std::ostream& out, std::ostream& err);
};

} // namespace poker::texas_holdem

#endif
