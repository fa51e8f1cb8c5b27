#ifndef CORVALD_TESTS_SUPPORT_MODEL_DRIVER_H
#define CORVALD_TESTS_SUPPORT_MODEL_DRIVER_H

#include <vector>

#include "texas_holdem/Game.h"
#include "texas_holdem/Sequencer.h"

namespace poker::texas_holdem {

// Plays one hand against an input source with the game model alone: the hand driver's
// calls in the driver's order, without simulations and without drawing. For checking an
// input source on its own and for measuring it (tests, benchmarks, the fuzz target).
class ModelDriver {
public:
    // The players, two blinds, per betting round its cards and the moves until the round
    // is over, then the end of the hand. The input source must name at least two players.
    void go(Sequencer& sequencer, unsigned max_players = Sequencer::max_players);

    Sequencer::NewGame new_game;
    Game game;
    // The moves asked in each betting round played.
    std::vector<unsigned> moves_per_round;
};

} // namespace poker::texas_holdem

#endif
