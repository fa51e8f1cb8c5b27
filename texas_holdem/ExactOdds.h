#ifndef CORVALD_TEXAS_HOLDEM_EXACTODDS_H
#define CORVALD_TEXAS_HOLDEM_EXACTODDS_H

#include <cstdint>
#include <vector>

#include "poker/Card.h"

namespace poker::texas_holdem {

// The user's chances worked out exactly instead of simulated: every deal of the user's
// unknown cards (hole and board), and for each every ordered choice of the opponents'
// hole cards from the cards left. A case for k opponents is one deal with k holdings;
// the user wins it when he beats all k, strictly, as in the simulation. Each board is
// ranked once for the user, every holding of the cards left once, and those ranks serve
// every number of opponents.
class ExactOdds {
public:
    // Above this many cases the enumeration would take minutes; a simulation serves.
    static constexpr std::uint64_t max_cases = 10000000000u;

    // By number of opponents k, 0 to `opponents`: cases[k] the cases counted, wins[k]
    // those the user wins (cases[0] = wins[0] = the deals of the user's cards).
    struct Counts {
        std::vector<std::uint64_t> cases;
        std::vector<std::uint64_t> wins;
    };

    // The cases there are for the user's seven places `user_cards` (hole cards, flop,
    // turn, river; unknown ones dealt) and `opponents`, all numbers of opponents up to
    // that one together; the largest std::uint64_t stands for anything larger.
    static std::uint64_t no_cases(const std::vector<Card>& user_cards, unsigned opponents);

    // Counts every case, the deals shared out over `jobs` threads; the counts do not
    // depend on `jobs`. The known cards must be distinct.
    static Counts count(const std::vector<Card>& user_cards, unsigned opponents, unsigned jobs);
};

} // namespace poker::texas_holdem

#endif
