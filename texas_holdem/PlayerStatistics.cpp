#include "texas_holdem/PlayerStatistics.h"

#include <algorithm>

#include "texas_holdem/HandMoney.h"

namespace poker::texas_holdem {

namespace {

using pokerstars::HandRecord;
using Kind = HandRecord::Action::Kind;
using Street = HandRecord::Street;

constexpr double hands_per_report = 100.0;
constexpr std::size_t flop_cards = 3;

// What one hand tells about one seat.
struct SeatFacts {
    bool dealt = false;
    bool voluntary = false;
    bool raised = false;
    bool three_bet_chance = false;
    bool three_bet = false;
    bool answered_three_bet = false; // his first move after his raise was re-raised
    bool three_bet_faced = false;
    bool folded_to_three_bet = false;
    bool folded_before_flop = false;
    bool folded = false;
    unsigned aggressive_moves = 0;
    unsigned calls = 0;
};

bool is_move(Kind kind)
{
    return kind == Kind::fold || kind == Kind::check || kind == Kind::call || kind == Kind::bet
           || kind == Kind::raise;
}

bool is_aggressive(Kind kind)
{
    return kind == Kind::bet || kind == Kind::raise;
}

// Follows the hand's lines once and notes what each seat did.
std::vector<SeatFacts> read_facts(const HandRecord& hand)
{
    std::vector<SeatFacts> facts(hand.seats.size());
    // Raises (and opening bets) before the flop so far, and who made the first.
    unsigned preflop_raises = 0;
    std::size_t first_raiser = hand.seats.size();

    for (const HandRecord::Action& action : hand.actions) {
        if (action.seat >= facts.size())
            continue;
        SeatFacts& seat = facts[action.seat];
        seat.dealt = true;
        if (!is_move(action.kind))
            continue;
        if (action.kind == Kind::fold) {
            seat.folded = true;
            seat.folded_before_flop = action.street == Street::preflop;
        }

        if (action.street != Street::preflop) {
            seat.aggressive_moves += is_aggressive(action.kind) ? 1 : 0;
            seat.calls += action.kind == Kind::call ? 1 : 0;
            continue;
        }

        // A single raise in front of him: his chance to re-raise, counted once a hand.
        if (preflop_raises == 1 && first_raiser != action.seat && !seat.three_bet_chance) {
            seat.three_bet_chance = true;
            seat.three_bet = action.kind == Kind::raise;
        }
        // The first raiser's first move after a re-raise; a second re-raise in front of
        // him makes it another situation, not counted.
        if (first_raiser == action.seat && preflop_raises >= 2 && !seat.answered_three_bet) {
            seat.answered_three_bet = true;
            seat.three_bet_faced = preflop_raises == 2;
            seat.folded_to_three_bet = seat.three_bet_faced && action.kind == Kind::fold;
        }
        if (action.kind == Kind::call || is_aggressive(action.kind))
            seat.voluntary = true;
        if (is_aggressive(action.kind)) {
            seat.raised = true;
            if (++preflop_raises == 1)
                first_raiser = action.seat;
        }
    }
    if (hand.hero && *hand.hero < facts.size())
        facts[*hand.hero].dealt = true;
    return facts;
}

} // namespace

std::optional<double> PlayerStatistics::Totals::share(std::uint64_t part, std::uint64_t whole)
{
    if (whole == 0)
        return std::nullopt;
    return static_cast<double>(part) / static_cast<double>(whole);
}

std::optional<double> PlayerStatistics::Totals::big_blinds_per_100() const
{
    if (hands_in_big_blinds == 0)
        return std::nullopt;
    // Each sum is exact in its own unit; only the conversion to big blinds divides.
    double big_blinds = 0.0;
    for (const auto& [big_blind, net_won] : net_by_big_blind)
        big_blinds += static_cast<double>(net_won) / static_cast<double>(big_blind);
    return big_blinds * hands_per_report / static_cast<double>(hands_in_big_blinds);
}

void PlayerStatistics::Totals::merge(const Totals& other)
{
    hands += other.hands;
    voluntary += other.voluntary;
    preflop_raises += other.preflop_raises;
    three_bet_chances += other.three_bet_chances;
    three_bets += other.three_bets;
    three_bets_faced += other.three_bets_faced;
    folds_to_three_bet += other.folds_to_three_bet;
    aggressive_moves += other.aggressive_moves;
    calls += other.calls;
    saw_flop += other.saw_flop;
    showdowns += other.showdowns;
    showdowns_told += other.showdowns_told;
    showdowns_won += other.showdowns_won;
    for (const auto& [unit, amount] : other.net)
        net[unit] += amount;
    for (const auto& [big_blind, amount] : other.net_by_big_blind)
        net_by_big_blind[big_blind] += amount;
    hands_in_big_blinds += other.hands_in_big_blinds;
}

void PlayerStatistics::add(const HandRecord& hand)
{
    const std::vector<SeatFacts> facts = read_facts(hand);
    const HandMoney money(hand);
    const bool flop_dealt = !hand.boards.empty() && hand.boards.front().size() >= flop_cards;
    const std::string unit = HandMoney::unit(hand);

    for (std::size_t seat = 0; seat < facts.size(); ++seat) {
        const SeatFacts& fact = facts[seat];
        if (!fact.dealt)
            continue;
        Totals& totals = players_[hand.seats[seat].name];
        ++totals.hands;
        totals.voluntary += fact.voluntary;
        totals.preflop_raises += fact.raised;
        totals.three_bet_chances += fact.three_bet_chance;
        totals.three_bets += fact.three_bet;
        totals.three_bets_faced += fact.three_bet_faced;
        totals.folds_to_three_bet += fact.folded_to_three_bet;
        totals.aggressive_moves += fact.aggressive_moves;
        totals.calls += fact.calls;

        const bool saw_flop = flop_dealt && !fact.folded_before_flop;
        const bool showdown = saw_flop && hand.showdown && !fact.folded;
        totals.saw_flop += saw_flop;
        totals.showdowns += showdown;
        if (!money.known())
            continue;
        totals.showdowns_told += showdown;
        totals.showdowns_won += showdown && money.received(seat) > 0;
        totals.net[unit] += money.net(seat);
        if (hand.big_blind > 0) {
            totals.net_by_big_blind[hand.big_blind] += money.net(seat);
            ++totals.hands_in_big_blinds;
        }
    }
}

void PlayerStatistics::merge(const PlayerStatistics& other)
{
    for (const auto& [name, totals] : other.players_)
        players_[name].merge(totals);
}

std::vector<PlayerStatistics::Row> PlayerStatistics::rows(std::uint64_t min_hands) const
{
    std::vector<Row> rows;
    for (const auto& [name, totals] : players_)
        if (totals.hands >= min_hands)
            rows.push_back({name, totals});
    // The map hands them over in name order; a stable sort keeps it among equal counts.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Row& a, const Row& b) { return a.totals.hands > b.totals.hands; });
    return rows;
}

} // namespace poker::texas_holdem
