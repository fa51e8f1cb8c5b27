#include "app/DecisionPanel.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "console/Colour.h"
#include "console/Console.h"

namespace poker::texas_holdem {

namespace {

namespace colour = console::colour;

// Rows of the panel, top to bottom; every row is the panel's full width.
constexpr int pot_row = 7;
constexpr int to_match_row = 8;
constexpr int to_act_row = 10;
constexpr int to_call_row = 11;
constexpr int pot_odds_row = 12;
constexpr int chance_row = 13;
constexpr int hand_row = 15;
constexpr int hand_words_row = 16;
constexpr int hand_words_rows = 2;
constexpr int improvements_row = 19;

// The chance column's rows: a chance below its last row is not shown there either.
constexpr unsigned chance_rows = 16;

// Shown where an amount is not money or does not fit, as the table does.
const char unreadable[] = "XXXX";
// Past a trillion an amount is no table's money; below it, cents stay exact in 64 bits.
constexpr double largest_amount = 1e12;
constexpr int cents_per_unit = 100;

const char* const value_names[Card::no_values] = {"two",   "three", "four", "five", "six",
                                                  "seven", "eight", "nine", "ten",  "jack",
                                                  "queen", "king",  "ace"};
const char* const value_plurals[Card::no_values] = {"twos",   "threes", "fours", "fives", "sixes",
                                                    "sevens", "eights", "nines", "tens",  "jacks",
                                                    "queens", "kings",  "aces"};
// Each category as a line of the improvement list, in Hand::Type order.
const char* const category_names[] = {"no pair",         "pair",           "two pair",
                                      "three of a kind", "straight",       "flush",
                                      "full house",      "four of a kind", "straight flush"};

std::string name(int value)
{
    return value >= 0 && value < Card::no_values ? value_names[value] : "?";
}

std::string plural(int value)
{
    return value >= 0 && value < Card::no_values ? value_plurals[value] : "?";
}

// Whole units, with the cents only when there are some: "12", "4.75", "-1".
std::string money(std::int64_t cents)
{
    const long long whole = std::llabs(cents) / cents_per_unit;
    const long long rest = std::llabs(cents) % cents_per_unit;
    const char* const sign = cents < 0 ? "-" : "";
    char text[32];
    if (rest == 0)
        std::snprintf(text, sizeof text, "%s%lld", sign, whole);
    else
        std::snprintf(text, sizeof text, "%s%lld.%02lld", sign, whole, rest);
    return text;
}

std::string percentage(int percent)
{
    return std::to_string(percent) + "%";
}

// `label` from the panel's left edge and `value` ending at its right edge in `attribute`;
// the label gives way to the value, and a value wider than the panel shows as XXXX.
void write_row(int row, std::string_view label, std::string_view value = {},
               unsigned short attribute = colour::white)
{
    if (value.size() > static_cast<std::size_t>(DecisionPanel::width))
        value = unreadable;
    const std::size_t room = DecisionPanel::width - value.size() - (value.empty() ? 0 : 1);
    label = label.substr(0, std::min(label.size(), room));
    console::Console& screen = console::Console::current();
    screen.write_characters(DecisionPanel::left, row, label.data(),
                            static_cast<unsigned>(label.size()));
    const int value_x = DecisionPanel::left + DecisionPanel::width - static_cast<int>(value.size());
    screen.write_characters(value_x, row, value.data(), static_cast<unsigned>(value.size()));
    screen.fill_attribute(value_x, row, attribute, static_cast<unsigned>(value.size()));
}

// `text` over up to `rows` rows from `row`, broken at blanks.
void write_wrapped(int row, int rows, std::string_view text)
{
    const auto width = static_cast<std::size_t>(DecisionPanel::width);
    for (int i = 0; i < rows && !text.empty(); ++i) {
        std::size_t length = text.size();
        if (length > width) {
            const std::size_t blank = text.rfind(' ', width);
            length = blank == std::string_view::npos ? width : blank;
        }
        write_row(row + i, text.substr(0, length));
        text.remove_prefix(length);
        if (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
    }
}

// The pot: every player's stake so far, summed in cents.
std::optional<std::int64_t> pot(const Game& game)
{
    std::int64_t total = 0;
    for (const std::vector<float>& stakes : game.history.player_stakes) {
        const auto stake = DecisionPanel::cents(stakes.back());
        if (!stake)
            return std::nullopt;
        total += *stake;
    }
    return total;
}

// Past the blinds: in the hole round both blinds have been recorded (each adds a stake).
bool blinds_posted(const Game& game)
{
    if (game.round != Game::hole)
        return true;
    std::size_t recorded = 0;
    for (const std::vector<float>& stakes : game.history.player_stakes)
        recorded += stakes.size() - 1;
    return recorded >= 2;
}

// The player to act, his amount to call and the pot odds that call is offered.
void draw_call(const Game& game, std::optional<std::int64_t> pot_cents,
               std::optional<std::int64_t> to_match)
{
    const unsigned player = game.current_player;
    // A long name is cut so that "to act" stays in view.
    const std::string to_act = " to act";
    write_row(to_act_row,
              game.history.names[player].substr(0, DecisionPanel::width - to_act.size()) + to_act);
    const auto stake = DecisionPanel::cents(game.history.player_stakes[player].back());
    if (!pot_cents || !to_match || !stake) {
        write_row(to_call_row, "To call", unreadable);
        write_row(pot_odds_row, "Pot odds", unreadable);
        return;
    }
    // A stake above the stake to match (a blind lowered after it) has nothing to call.
    const std::int64_t call = std::max<std::int64_t>(*to_match - *stake, 0);
    const std::int64_t total = *pot_cents + call;
    write_row(to_call_row, "To call", money(call));
    // Half up in whole numbers: (200 call + total) / (2 total) rounds 100 call / total.
    // A pot below nothing (negative blinds) offers no odds.
    write_row(pot_odds_row, "Pot odds",
              *pot_cents >= 0 && total > 0
                  ? percentage(static_cast<int>((2 * 100 * call + total) / (2 * total)))
                  : unreadable);
}

// The figure the chance column highlights: against the opponents still in.
void draw_chance(const Game& game, const Calculator& calculator, double weight)
{
    const unsigned active = game.no_active_players();
    if (active == 0 || active > calculator.no_opponents() + 1 || active > chance_rows
        || calculator.counts.empty() || calculator.counts[0] == 0)
        return;
    const double chance = calculator.probability(active - 1, weight);
    const std::string text = chance >= 0.0 && chance <= 1.0
                                 ? percentage(static_cast<int>(chance * 100.0 + 0.5))
                                 : unreadable;
    write_row(chance_row, "Your chance", text, colour::bright_yellow);
}

// The user's best hand once his hole cards and the flop are known, and while a board card
// is still to come the unseen cards that would improve it.
void draw_hand(const Calculator& calculator)
{
    const std::vector<Card>& cards = calculator.user_cards;
    if (cards.size() != Calculator::no_user_cards)
        return;
    for (std::size_t i = 0; i < Calculator::turn_position; ++i)
        if (cards[i].is_unknown())
            return;
    std::array<Card, Calculator::no_user_cards> known;
    std::size_t count = 0;
    for (const Card& card : cards)
        if (!card.is_unknown())
            known[count++] = card;

    write_row(hand_row, "Your hand");
    write_wrapped(hand_words_row, hand_words_rows,
                  DecisionPanel::hand_words(Hand::best_hand(known.data(), count)));
    if (count == Calculator::no_user_cards)
        return;

    const DecisionPanel::Improvements counts = DecisionPanel::improvements(known.data(), count);
    write_row(improvements_row, "Next card makes");
    int row = improvements_row + 1;
    for (int type = Hand::straight_flush; type > Hand::no_pair; --type) {
        const unsigned count_of_type = counts[static_cast<std::size_t>(type)];
        if (count_of_type > 0)
            write_row(row++, category_names[type], std::to_string(count_of_type));
    }
    if (row == improvements_row + 1)
        write_row(row, "nothing better");
}

} // namespace

void DecisionPanel::draw(const Game& game, const Calculator& calculator, double weight, bool to_act)
{
    console::Console& screen = console::Console::current();
    for (int y = top; y <= bottom; ++y) {
        screen.fill_character(left, y, ' ', width);
        screen.fill_attribute(left, y, colour::white, width);
    }
    if (game.history.player_stakes.empty())
        return;

    const auto pot_cents = pot(game);
    const auto to_match = cents(game.history.stakes_to_match.back());
    write_row(pot_row, "Pot", pot_cents ? money(*pot_cents) : unreadable);
    write_row(to_match_row, "To match", to_match ? money(*to_match) : unreadable,
              colour::dark_green);
    if (to_act && blinds_posted(game) && game.current_player < game.history.player_stakes.size())
        draw_call(game, pot_cents, to_match);
    draw_chance(game, calculator, weight);
    draw_hand(calculator);
}

void DecisionPanel::blank()
{
    console::Console& screen = console::Console::current();
    for (int y = top; y <= bottom; ++y)
        screen.fill_attribute(left, y, colour::invisible, width);
}

DecisionPanel::Improvements DecisionPanel::improvements(const Card* known, std::size_t count)
{
    assert(count < Calculator::no_user_cards + 1);
    std::array<Card, Calculator::no_user_cards + 1> cards;
    std::copy(known, known + count, cards.begin());
    const Hand::Type now = Hand::best_hand(cards.data(), count).type;

    std::array<bool, Card::no_cards> seen{};
    for (std::size_t i = 0; i < count; ++i)
        if (!known[i].is_unknown())
            seen[known[i].index()] = true;

    Improvements counts{};
    for (unsigned index = 0; index < Card::no_cards; ++index) {
        if (seen[index])
            continue;
        cards[count] = Card::from_index(index);
        const Hand::Type next = Hand::best_hand(cards.data(), count + 1).type;
        if (next > now)
            ++counts[static_cast<std::size_t>(next)];
    }
    return counts;
}

std::string DecisionPanel::hand_words(const Hand& hand)
{
    switch (hand.type) {
    case Hand::no_pair: return name(hand.key1) + " high";
    case Hand::one_pair: return "pair of " + plural(hand.key1);
    case Hand::two_pair: return "two pair, " + plural(hand.key1) + " and " + plural(hand.key2);
    case Hand::three_of_a_kind: return "three of a kind, " + plural(hand.key1);
    case Hand::straight: return "straight, " + name(hand.key1) + " high";
    case Hand::flush: return "flush, " + name(hand.key1) + " high";
    case Hand::full_house:
        return "full house, " + plural(hand.key1) + " full of " + plural(hand.key2);
    case Hand::four_of_a_kind: return "four of a kind, " + plural(hand.key1);
    case Hand::straight_flush:
        return hand.key1 == Card::no_values - 1 ? "royal flush"
                                                : "straight flush, " + name(hand.key1) + " high";
    }
    return "?";
}

std::optional<std::int64_t> DecisionPanel::cents(float amount)
{
    const double value = amount;
    if (!(std::fabs(value) <= largest_amount))
        return std::nullopt;
    return std::llround(value * cents_per_unit);
}

} // namespace poker::texas_holdem
