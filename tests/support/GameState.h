#ifndef CORVALD_TESTS_SUPPORT_GAMESTATE_H
#define CORVALD_TESTS_SUPPORT_GAMESTATE_H

#include <initializer_list>
#include <string>
#include <vector>

#include "texas_holdem/Game.h"

namespace corvald_test {

// What a reader of a Game sees, in one line: round, player to act, stake to match, each
// player's last stake flagged "f" folded and "o" observed, and whether the round is over,
// e.g. "flop P2 match 6 | 6o 2fo 2 | open".
std::string describe(const poker::texas_holdem::Game& game);

// Plays moves the way the hand driver does: a negative amount folds the current player,
// 0 or more raises by it (0 checks or calls).
void play(poker::texas_holdem::Game& game, std::initializer_list<float> moves);

// Starts a hand for `names`, posts `blinds`, and plays each entry of `rounds` as that
// round's moves followed by advance_round with the round's cards (As Ah, 2c 7d Th, 5s,
// 9c). `seen`, if given, gets describe() after the start and after every event.
poker::texas_holdem::Game play_hand(const std::vector<std::string>& names,
                                    std::initializer_list<float> blinds,
                                    const std::vector<std::vector<float>>& rounds,
                                    std::vector<std::string>* seen = nullptr);

// Ann, Bob and Cid post blinds 1 and 2; Cid and Ann call, Bob raises by 4, Cid and Ann
// call. On the flop Ann bets 4, Bob folds, Cid calls; Ann and Cid check the turn and the
// river. The game ends at showdown with stakes 10, 6 and 10.
poker::texas_holdem::Game three_player_hand(std::vector<std::string>* seen = nullptr);

} // namespace corvald_test

#endif
