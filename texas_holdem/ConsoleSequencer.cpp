#include "texas_holdem/ConsoleSequencer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "console/Colour.h"
#include "console/Console.h"
#include "console/Cursor.h"
#include "texas_holdem/InputEnded.h"
#include "texas_holdem/SequencerHelper.h"
#include "texas_holdem/TakeBack.h"

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

// The longest answer line kept, as for a hand-history line: a longer one is refused
// and the rest of it read and dropped, so an endless line never fills the memory.
constexpr std::size_t max_line_length = 4096;

// A read that stopped for another reason than the end of the input: the stream went bad
// (an exception inside the read), or standard input reported an error (a directory, a
// hung-up terminal). errno is the system's reason when it has one.
[[noreturn]] void read_failed(int reason)
{
    const std::string what = "cannot read the typed input";
    if (reason != 0)
        throw std::system_error(reason, std::generic_category(), what);
    throw std::runtime_error(what);
}

// Reads one line of at most max_line_length characters into `line`, without its
// terminator. False for a longer line, whose rest is read and dropped. Throws InputEnded
// when nothing is left to read, and a system error when the read failed.
bool read_line(std::istream& in, std::string& line)
{
    char buffer[max_line_length + 1];
    errno = 0;
    // Stores at most max_line_length characters; fails when the line holds more, and when
    // nothing at all is left.
    in.getline(buffer, sizeof buffer);
    const int reason = errno;
    auto length = static_cast<std::size_t>(in.gcount());
    // Standard input reaches its errors through C's stdin, which the stream only sees as
    // the end.
    const auto failed = [&in] { return in.bad() || (&in == &std::cin && std::ferror(stdin)); };
    if (failed())
        read_failed(reason);
    if (in.fail() && !in.eof() && length == max_line_length) {
        in.clear(in.rdstate() & ~std::ios::failbit);
        errno = 0;
        in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
        if (failed())
            read_failed(errno);
        line.clear();
        return false;
    }
    if (length == 0 && in.fail())
        throw InputEnded();
    if (!in.eof())
        --length; // the newline, counted but not stored
    line.assign(buffer, length);
    return true;
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

// Throws TakeBack when `line` takes back an answer and the hand has one to take back.
void take_back_if_asked(const ConsoleSequencer& source, const std::string& line)
{
    if (line == ConsoleSequencer::take_back_answer && source.can_take_back && source.can_take_back())
        throw TakeBack();
}

// The question-and-answer loop every operation shares: the first showing in the normal
// colour, every repeat after an unusable answer in bright red. `accept` turns a line into
// the answer, or std::nullopt when the line cannot be used. The take-back answer is no
// number, card or move, so `accept` refuses it where there is nothing to take back.
template <typename Accept>
auto ask(const ConsoleSequencer& source, std::istream& in, const std::string& prompt, Accept accept)
{
    bool highlight = false;
    for (;;) {
        const std::optional<std::string> line = ConsoleSequencer::get_input(prompt, highlight, in);
        if (line) {
            take_back_if_asked(source, *line);
            if (const auto answer = accept(*line))
                return *answer;
        }
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

std::optional<std::string> ConsoleSequencer::get_input(std::string prompt, bool highlight,
                                                       std::istream& in)
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
    const bool whole = read_line(in, line);
    // A line typed on Windows or saved from there ends in CR LF; the CR belongs to the
    // line end, not to the answer.
    if (!line.empty() && line.back() == '\r')
        line.pop_back();

    console::Cursor::position(prompt_x, prompt_y);
    std::cout << std::string(prompt.size(), ' ');
    console::Cursor::next_line();
    std::cout << '>' << std::string(line.size(), ' ');
    if (!whole)
        return std::nullopt;
    return line;
}

// A count of 0 is refused like any other unusable answer: a hand needs at least one
// player (the model's turn order runs modulo the number of players).
Sequencer::NewGame ConsoleSequencer::request_new_game(unsigned max_players)
{
    NewGame result;
    result.table_name = "Console";
    autobet = false;
    dealt_.clear();

    const std::string prompt = "Enter no players (max " + std::to_string(max_players) + ")";
    struct Count {
        unsigned players;
        bool autobet;
    };
    const Count count =
        ask(*this, in_, prompt, [max_players](const std::string& line) -> std::optional<Count> {
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
    return ask(*this, in_, "Enter blind bet for " + player,
               [](const std::string& line) { return leading_number<float>(line); });
}

std::vector<Card> ConsoleSequencer::request_cards(Game::Round round)
{
    const int wanted = Game::cards_dealt_in_round(round);
    std::string prompt = "Enter " + SequencerHelper::round_name(round) + " card";
    if (wanted >= 2)
        prompt += 's';

    std::vector<Card> cards(static_cast<std::size_t>(wanted));
    const std::vector<Card>& dealt = dealt_;
    const std::vector<Card> answer =
        ask(*this, in_, prompt,
            [&cards, &dealt](const std::string& line) -> std::optional<std::vector<Card>> {
                if (!SequencerHelper::parse(line, cards))
                    return std::nullopt;
                // A card cannot be dealt twice: a repeat is a typing slip, whose figures would
                // be those of impossible cards.
                for (auto card = cards.begin(); card != cards.end(); ++card) {
                    if (std::find(cards.begin(), card, *card) != card
                        || std::find(dealt.begin(), dealt.end(), *card) != dealt.end())
                        return std::nullopt;
                }
                return cards;
            });
    dealt_.insert(dealt_.end(), answer.begin(), answer.end());
    return answer;
}

// A number must start with a digit: a sign, a blank or a leading decimal point is
// refused, and so is any spelling of the letters but exactly "c" and "f".
float ConsoleSequencer::request_move(std::string player)
{
    if (autobet)
        return autobet_move;
    return ask(*this, in_, "Enter bet <raise>, c or f for " + player,
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

// The hand's last move can still be taken back here: a wrong fold may have ended it.
void ConsoleSequencer::notify_end_game(const GameHistory&)
{
    if (const std::optional<std::string> line = get_input("Hit enter for a new game", false, in_))
        take_back_if_asked(*this, *line);
}

} // namespace poker::texas_holdem
