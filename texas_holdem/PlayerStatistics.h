#ifndef CORVALD_TEXAS_HOLDEM_PLAYERSTATISTICS_H
#define CORVALD_TEXAS_HOLDEM_PLAYERSTATISTICS_H

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "texas_holdem/pokerstars/HandRecord.h"

namespace poker::texas_holdem {

// What a tracker tells about each player, gathered hand by hand from hand-history
// records: how often he plays, raises, re-raises and gives up, how he bets after the
// flop, how his showdowns end and what he won. Only counters are kept, one set per
// player, so any number of hands fits; two collections over different hands merge into
// the one over all of them, whatever the order.
class PlayerStatistics {
public:
    using Money = pokerstars::Money;

    // One player's counters. Each share is a count over its own number of chances.
    struct Totals {
        std::uint64_t hands = 0;              // hands dealt in
        std::uint64_t voluntary = 0;          // put money in before the flop by choice
        std::uint64_t preflop_raises = 0;     // hands with a raise before the flop
        std::uint64_t three_bet_chances = 0;  // faced a single pre-flop raise
        std::uint64_t three_bets = 0;         // ... and re-raised it
        std::uint64_t three_bets_faced = 0;   // his first raise was re-raised once
        std::uint64_t folds_to_three_bet = 0; // ... and he folded
        std::uint64_t aggressive_moves = 0;   // bets and raises after the flop
        std::uint64_t calls = 0;              // calls after the flop
        std::uint64_t saw_flop = 0;
        std::uint64_t showdowns = 0;      // of the hands he saw the flop in
        std::uint64_t showdowns_told = 0; // showdowns whose winners the file tells
        std::uint64_t showdowns_won = 0;  // ... in which he collected money
        std::map<std::string, Money> net; // net won per unit ("USD", "chips")
        // Net won per size of the big blind, so that big blinds per 100 hands is worked
        // out exactly once at the end rather than summed in floating point.
        std::map<Money, Money> net_by_big_blind;
        std::uint64_t hands_in_big_blinds = 0; // hands counted in net_by_big_blind

        void merge(const Totals& other);

        std::optional<double> vpip() const { return share(voluntary, hands); }
        std::optional<double> pfr() const { return share(preflop_raises, hands); }
        std::optional<double> three_bet() const { return share(three_bets, three_bet_chances); }
        std::optional<double> fold_to_three_bet() const
        {
            return share(folds_to_three_bet, three_bets_faced);
        }
        // (bets + raises) / calls after the flop; none without a call.
        std::optional<double> aggression() const { return share(aggressive_moves, calls); }
        std::optional<double> went_to_showdown() const { return share(showdowns, saw_flop); }
        std::optional<double> won_at_showdown() const
        {
            return share(showdowns_won, showdowns_told);
        }
        std::optional<double> big_blinds_per_100() const;

        // `part` / `whole`, none when `whole` is 0.
        static std::optional<double> share(std::uint64_t part, std::uint64_t whole);
    };

    struct Row {
        std::string name;
        Totals totals;
    };

    // Counts one hand for every player dealt in: those with a line of their own in it
    // (a forced bet, a move, shown cards) and the player the cards were dealt to. Seats
    // that only sit there (sitting out, waiting for the button) are not counted.
    void add(const pokerstars::HandRecord& hand);

    void merge(const PlayerStatistics& other);

    // The players with at least `min_hands` hands, most hands first, then by name.
    std::vector<Row> rows(std::uint64_t min_hands) const;

    const std::map<std::string, Totals>& players() const { return players_; }

private:
    std::map<std::string, Totals> players_;
};

} // namespace poker::texas_holdem

#endif
