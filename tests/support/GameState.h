#ifndef CORVALD_TESTS_SUPPORT_GAMESTATE_H
#define CORVALD_TESTS_SUPPORT_GAMESTATE_H

#include <initializer_list>
#include <string>

#include "texas_holdem/Game.h"

namespace corvald_test {

// Everything a reader of a Game sees, in one line, so that a test can pin the whole state
// after every move and a failure shows what differs:
//   "<round> P<current> match <stake to match> | <stake><flags> ... | open|over"
// with one stake per player (his last one) followed by "f" if he has folded and "o" if
// he is observed, e.g. "flop P2 match 6 | 6o 2fo 2 | open".
std::string describe(const poker::texas_holdem::Game& game);

// Plays moves the way the hand driver does: a negative amount folds the current player,
// 0 or more raises by it (0 checks or calls).
void play(poker::texas_holdem::Game& game, std::initializer_list<float> moves);

// Ann, Bob and Cid post blinds 1 and 2; Cid calls, Ann calls, Bob checks. On the flop Ann
// bets to 6, Bob folds, Cid calls; Ann and Cid check the turn and the river. Returns the
// game at showdown, with two hole cards, three flop cards, a turn and a river card.
poker::texas_holdem::Game fold_on_flop_hand();

} // namespace corvald_test

#endif
