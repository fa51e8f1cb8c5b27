#include "texas_holdem/ConsoleSequencer.h"

#include <optional>
#include <sstream>

#include "console/Colour.h"
#include "console/Console.h"
#include "console/Cursor.h"
#include "texas_holdem/SequencerHelper.h"

namespace poker::texas_holdem {

namespace {

constexpr int version_x = 12;
constexpr int version_y = 1;
constexpr int prompt_x = 1;
constexpr int prompt_y = 3;

// Seat names are this letter and the seat number counted from 1.
constexpr char seat_letter = 'P';
const char autobet_word[] = "autobet";
constexpr float autobet_blind = 1.0f;
constexpr float autobet_move = 0.0f;
constexpr float call_amount = 0.0f;

// Ends the run when the input can give no more lines. Whatever was drawn is shown first;
// the exception unwinds the hand loop up to the program's entry, which ends the run.
[[noreturn]] void end_of_input()
{
    std::cout.flush();
    console::Console::current().flush();
    throw ConsoleSequencer::InputEnded();
}

// Standard stream extraction of a number from the start of `line`: leading blanks are
// skipped, the longest number is taken and the rest is left in `rest` for the caller.
template <typename Number>
std::optional<Number> leading_number(const std::string& line, std::istringstream& rest)
{
    rest.str(line);
    Number number{};
    if (!(rest >> number))
        return std::nullopt;
    return number;
}

template <typename Number>
std::optional<Number> leading_number(const std::string& line)
{
    std::istringstream rest;
    return leading_number<Number>(line, rest);
}

// The question-and-answer loop every operation shares: the first showing in the normal
// colour, every repeat after an unusable answer in bright red. `accept` turns a line into
// the answer, or std::nullopt when the line cannot be used.
template <typename Accept>
auto ask(std::istream& in, const std::string& prompt, Accept accept)
{
    bool highlight = false;
    for (;;) {
        const auto answer = accept(ConsoleSequencer::get_input(prompt, highlight, in));
        if (answer)
            return *answer;
        highlight = true;
    }
}

} // namespace

ConsoleSequencer::ConsoleSequencer(const std::string& version, std::istream& in)
    : version(version), in_(in)
{
    console::Cursor::position(version_x, version_y);
    std::cout << 'V' << version << ' ';
}

std::string ConsoleSequencer::get_input(std::string prompt, bool highlight, std::istream& in)
{
    console::Cursor::position(prompt_x, prompt_y);
    std::cout << prompt;
    if (highlight) {
        console::Cursor::position(prompt_x, prompt_y);
        console::Cursor::colour(console::colour::bright_red, 0,
                                static_cast<unsigned>(prompt.size()));
    }
    console::Cursor::next_line();
    std::cout << '>';

    // The terminal shows the question and puts its cursor on the input line only now.
    std::cout.flush();
    console::Console::current().flush();
    std::string line;
    if (!std::getline(in, line))
        end_of_input();
    // A line typed on Windows or saved from there ends in CR LF; the CR belongs to the
    // line end, not to the answer.
    if (!line.empty() && line.back() == '\r')
        line.pop_back();

    console::Cursor::position(prompt_x, prompt_y);
    std::cout << std::string(prompt.size(), ' ');
    console::Cursor::next_line();
    std::cout << '>' << std::string(line.size(), ' ');
    return line;
}

// A count of 0 is refused like any other unusable answer: a hand needs at least one
// player (the model's turn order runs modulo the number of players).
Sequencer::NewGame ConsoleSequencer::request_new_game(unsigned max_players)
{
    NewGame result;
    result.table_name = "Console";
    autobet = false;

    const std::string prompt = "Enter no players (max " + std::to_string(max_players) + ")";
    struct Count {
        unsigned players;
        bool autobet;
    };
    const Count count = ask(in_, prompt, [max_players](const std::string& line) -> std::optional<Count> {
        std::istringstream rest;
        const auto players = leading_number<unsigned>(line, rest);
        if (!players || *players == 0 || *players > max_players)
            return std::nullopt;
        // One more word may follow, with or without a blank before it; only that word
        // is looked at.
        std::string word;
        if (!(rest >> word))
            return Count{*players, false};
        if (word != autobet_word)
            return std::nullopt;
        return Count{*players, true};
    });

    autobet = count.autobet;
    for (unsigned seat = 1; seat <= count.players; ++seat)
        result.players.push_back(seat_letter + std::to_string(seat));
    return result;
}

// No range applies: 0 and negative blinds are passed on as typed.
float ConsoleSequencer::request_blind(std::string player)
{
    if (autobet)
        return autobet_blind;
    return ask(in_, "Enter blind bet for " + player,
               [](const std::string& line) { return leading_number<float>(line); });
}

std::vector<Card> ConsoleSequencer::request_cards(Game::Round round)
{
    const int wanted = Game::cards_dealt_in_round(round);
    std::string prompt = "Enter " + SequencerHelper::round_name(round) + " card";
    if (wanted >= 2)
        prompt += 's';

    std::vector<Card> cards(static_cast<std::size_t>(wanted));
    return ask(in_, prompt, [&cards](const std::string& line) -> std::optional<std::vector<Card>> {
        if (!SequencerHelper::parse(line, cards))
            return std::nullopt;
        return cards;
    });
}

// A number must start with a digit: a sign, a blank or a leading decimal point is
// refused, and so is any spelling of the letters but exactly "c" and "f".
float ConsoleSequencer::request_move(std::string player)
{
    if (autobet)
        return autobet_move;
    return ask(in_, "Enter bet <raise>, c or f for " + player,
               [](const std::string& line) -> std::optional<float> {
                   if (line.empty())
                       return std::nullopt;
                   if (line.front() >= '0' && line.front() <= '9')
                       return leading_number<float>(line);
                   if (line == "c")
                       return call_amount;
                   if (line == "f")
                       return Sequencer::fold_amount;
                   return std::nullopt;
               });
}

void ConsoleSequencer::notify_end_game(const GameHistory&)
{
    get_input("Hit enter for a new game", false, in_);
}

} // namespace poker::texas_holdem
