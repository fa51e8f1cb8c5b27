#include "app/OddsCommand.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <memory>
#include <system_error>
#include <thread>

#include <nlohmann/json.hpp>

#include "app/Corvald.h"
#include "texas_holdem/Calculator.h"
#include "texas_holdem/ExactOdds.h"
#include "texas_holdem/SequencerHelper.h"

namespace poker::texas_holdem {

namespace {

constexpr std::size_t hole_cards = 2;
constexpr std::size_t chars_per_card = 2;

std::string notation(const std::vector<Card>& cards)
{
    return SequencerHelper::notation(cards);
}

// Reads `text` as a card list; on failure says which two characters are no card.
std::string read_cards(const std::string& what, const std::string& text, std::vector<Card>& cards)
{
    if (text.size() % chars_per_card != 0)
        return what + " \"" + text + "\" is not a list of cards (two characters each, like ahkd)";
    cards.assign(text.size() / chars_per_card, Card());
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const std::string one = text.substr(i * chars_per_card, chars_per_card);
        if (!SequencerHelper::parse(one[0], one[1], cards[i]))
            return what + " holds \"" + one + "\", which is no card (value 2-9 t j q k a, "
                   + "suit s h c d, lower case)";
    }
    return "";
}

// A whole number from `low` to `high`, decimal digits only; a fault naming `what`
// otherwise. A sign is refused: "-1" is no count, and must not wrap round to the largest.
std::string read_number(const std::string& what, const std::string& text, unsigned low,
                        unsigned high, unsigned& number)
{
    unsigned value = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, failure] = std::from_chars(text.data(), end, value);
    if (text.empty() || failure != std::errc() || stop != end || value < low || value > high)
        return what + " must be a whole number from " + std::to_string(low) + " to "
               + std::to_string(high) + ", not \"" + text + "\"";
    number = value;
    return "";
}

std::string percent(double share)
{
    char text[16];
    std::snprintf(text, sizeof text, "%7.2f %%", share * 100.0);
    return text;
}

// The calculator's seven places for the question: hole cards, flop, turn, river.
std::vector<Card> user_cards(const OddsCommand::Question& question)
{
    std::vector<Card> cards(Calculator::no_user_cards);
    if (question.hole.size() == hole_cards)
        std::copy(question.hole.begin(), question.hole.end(), cards.begin());
    std::copy(question.board.begin(), question.board.end(),
              cards.begin() + Calculator::flop_position);
    return cards;
}

} // namespace

std::string OddsCommand::read(const Arguments& arguments, Question& question)
{
    Question result;
    std::string fault;
    if (!arguments.hole.empty()) {
        fault = read_cards("HOLE", arguments.hole, result.hole);
        if (fault.empty() && result.hole.size() != hole_cards)
            fault = "HOLE must be two cards, not " + std::to_string(result.hole.size());
    }
    if (fault.empty() && !arguments.board.empty()) {
        fault = read_cards("BOARD", arguments.board, result.board);
        const std::size_t n = result.board.size();
        if (fault.empty() && n != 3 && n != 4 && n != 5)
            fault = "BOARD must be 0, 3, 4 or 5 cards, not " + std::to_string(n);
    }
    if (fault.empty()) {
        std::vector<Card> all = result.hole;
        all.insert(all.end(), result.board.begin(), result.board.end());
        for (std::size_t i = 0; i < all.size() && fault.empty(); ++i) {
            if (std::find(all.begin() + static_cast<std::ptrdiff_t>(i) + 1, all.end(), all[i])
                != all.end())
                fault = "the card " + notation({all[i]}) + " is given twice";
        }
    }
    if (fault.empty()) {
        if (arguments.players.empty())
            fault = "--players is required";
        else
            fault = read_number("--players", arguments.players, min_players, max_players,
                                result.players);
    }
    result.hands = Corvald::simulated_hands;
    if (fault.empty() && !arguments.hands.empty())
        fault = read_number("--hands", arguments.hands, 1, max_hands, result.hands);
    result.seed = Calculator::default_seed;
    if (fault.empty() && !arguments.seed.empty())
        fault = read_number("--seed", arguments.seed, 0, ~0u, result.seed);
    result.exact = arguments.exact;
    result.jobs = std::max(1u, std::thread::hardware_concurrency());
    if (fault.empty() && !arguments.jobs.empty())
        fault = read_number("--jobs", arguments.jobs, 1, max_jobs, result.jobs);
    if (fault.empty() && result.exact && (!arguments.hands.empty() || !arguments.seed.empty()))
        fault = "--exact counts every case; --hands and --seed are for the simulation";
    if (fault.empty() && result.exact) {
        const std::uint64_t cases = ExactOdds::no_cases(user_cards(result), result.players - 1);
        if (cases > ExactOdds::max_cases)
            fault =
                "--exact would count "
                + (cases == ~std::uint64_t{0} ? std::string("over 10^19") : std::to_string(cases))
                + " cases, more than " + std::to_string(ExactOdds::max_cases)
                + "; simulate with --hands instead";
    }

    if (fault.empty())
        question = result;
    return fault;
}

// The calculator goes through the runs the hand driver makes with it: one opponent per
// other player, a run with nothing known (at the blinds), then one after each step of
// cards given (hole, flop, turn, river). Each run goes on from the generator state the
// last one left, so only the same sequence shows the table's figures.
OddsCommand::Answer OddsCommand::ask(const Question& question)
{
    Answer answer;
    answer.question = question;
    if (question.exact) {
        const ExactOdds::Counts counts =
            ExactOdds::count(user_cards(question), question.players - 1, question.jobs);
        answer.cases = counts.cases;
        answer.counts = counts.wins;
        for (unsigned k = 0; k < question.players; ++k)
            answer.beat.push_back(static_cast<double>(counts.wins[k]) / counts.cases[k]);
        // The table's blend (Calculator::probability) of beating k and beating all.
        const double weight = Corvald::opponents_weight;
        for (unsigned k = 0; k < question.players; ++k)
            answer.weighted.push_back(
                k == 0 ? 1.0 : weight * answer.beat.back() + (1 - weight) * answer.beat[k]);
        return answer;
    }

    Calculator calculator(question.seed);
    calculator.setup(question.players - 1);
    calculator.simulate_hands(question.hands);
    if (question.hole.size() == hole_cards) {
        calculator.set_hole(question.hole[0], question.hole[1]);
        calculator.simulate_hands(question.hands);
    }
    const auto& board = question.board;
    if (board.size() >= 3) {
        calculator.set_flop(board[0], board[1], board[2]);
        calculator.simulate_hands(question.hands);
    }
    if (board.size() >= 4) {
        calculator.set_turn(board[3]);
        calculator.simulate_hands(question.hands);
    }
    if (board.size() >= 5) {
        calculator.set_river(board[4]);
        calculator.simulate_hands(question.hands);
    }

    answer.counts.assign(calculator.counts.begin(), calculator.counts.end());
    const double simulated = calculator.counts[0];
    for (unsigned k = 0; k < question.players; ++k) {
        answer.beat.push_back(calculator.counts[k] / simulated);
        answer.weighted.push_back(calculator.probability(k, Corvald::opponents_weight));
    }
    return answer;
}

std::string OddsCommand::table(const Answer& answer)
{
    const Question& q = answer.question;
    std::string text =
        "hole " + (q.hole.empty() ? std::string("random") : notation(q.hole)) + "  board "
        + (q.board.empty() ? std::string("none") : notation(q.board)) + "  players "
        + std::to_string(q.players)
        + (q.exact ? "  exact, " + std::to_string(answer.cases.back()) + " cases"
                   : "  hands " + std::to_string(q.hands) + "  seed " + std::to_string(q.seed))
        + "\n";
    text += "opponents       beat   weighted\n";
    for (std::size_t k = 0; k < answer.beat.size(); ++k) {
        char opponents[24];
        std::snprintf(opponents, sizeof opponents, "%9zu", k);
        text += opponents + std::string("  ") + percent(answer.beat[k]) + "  "
                + percent(answer.weighted[k]) + "\n";
    }
    return text;
}

std::string OddsCommand::json(const Answer& answer)
{
    const Question& q = answer.question;
    // A whole chance (0 or 1) is written as the integer it is, as every count is.
    const auto chances = [](const std::vector<double>& values) {
        nlohmann::ordered_json array = nlohmann::ordered_json::array();
        for (const double value : values) {
            if (value == 0.0 || value == 1.0)
                array.push_back(static_cast<int>(value));
            else
                array.push_back(value);
        }
        return array;
    };
    nlohmann::ordered_json object;
    object["hole"] = q.hole.empty() ? nlohmann::ordered_json(nullptr)
                                    : nlohmann::ordered_json(notation(q.hole));
    object["board"] = notation(q.board);
    object["players"] = q.players;
    if (q.exact) {
        object["method"] = "exact";
        object["cases"] = answer.cases;
    } else {
        object["hands"] = q.hands;
        object["seed"] = q.seed;
    }
    object["counts"] = answer.counts;
    object["beat"] = chances(answer.beat);
    object["weighted"] = chances(answer.weighted);
    return object.dump() + "\n";
}

int OddsCommand::run(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    Question question;
    const std::string fault = read(arguments, question);
    if (!fault.empty()) {
        err << "corvald odds: " << fault << std::endl;
        return bad_input_status;
    }
    const Answer answer = ask(question);
    out << (arguments.json ? json(answer) : table(answer)) << std::flush;
    return 0;
}

void OddsCommand::add_to(CLI::App& app, std::function<int()>& command, bool& needs_screen)
{
    auto arguments = std::make_shared<Arguments>();
    CLI::App* odds = app.add_subcommand(
        "odds", "Print the winning chances for hole cards and a board against N players: "
                "the table's figures for the same cards");
    odds->add_option("HOLE", arguments->hole, "Your two cards, e.g. ahkd (random when left out)");
    odds->add_option("BOARD", arguments->board, "0, 3, 4 or 5 board cards, e.g. qsjsts");
    odds->add_option("--players", arguments->players,
                     "Players at the table, " + std::to_string(min_players) + " to "
                         + std::to_string(max_players))
        ->option_text("N");
    odds->add_option("--hands", arguments->hands,
                     "Hands to simulate in each run, 1 to " + std::to_string(max_hands) + " ("
                         + std::to_string(Calculator::simulated_hands) + ")")
        ->option_text("H");
    odds->add_option("--seed", arguments->seed,
                     "Random seed, 0 to 4294967295 (" + std::to_string(Calculator::default_seed)
                         + ")")
        ->option_text("S");
    odds->add_flag("--json", arguments->json, "One JSON object instead of the table");
    odds->add_flag("--exact", arguments->exact,
                   "Count every deal instead of simulating (when there are at most 10^10 cases)");
    odds->add_option("--jobs", arguments->jobs, "Threads for --exact (every core)")->option_text("J");
    odds->callback([arguments, &command, &needs_screen] {
        needs_screen = false;
        command = [arguments] { return run(*arguments, std::cout, std::cerr); };
    });
}

} // namespace poker::texas_holdem
