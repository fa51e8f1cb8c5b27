#ifndef CORVALD_TESTS_SUPPORT_GAMESTATE_H
#define CORVALD_TESTS_SUPPORT_GAMESTATE_H

#include <string>
#include <vector>

#include "texas_holdem/Game.h"

namespace corvald_test {

// A Game in one line: round, player to act, stake to match, each player's last stake
// flagged "f" folded and "o" observed, and the round's end: "flop P2 match 6 | 6o 2fo 2 | open".
std::string describe(const poker::texas_holdem::Game& game);

// Starts a hand for `names`, posts `blinds` and plays `rounds` as the hand driver does: a
// negative amount folds, 0 or more raises by it (0 checks or calls); each later round is
// opened by advance_round with the cards before it (As Ah, 2c 7d Th, 5s, 9c). `seen`, if
// given, gets describe() after the start and after every event.
poker::texas_holdem::Game play_hand(const std::vector<std::string>& names, const std::vector<float>& blinds,
                                    const std::vector<std::vector<float>>& rounds,
                                    std::vector<std::string>* seen = nullptr);

// Ann, Bob and Cid post blinds 1 and 2; Cid and Ann call, Bob raises by 4, Cid and Ann
// call. Ann bets 4 on the flop, Bob folds, Cid calls; both check turn and river to the
// showdown, with stakes 10, 6 and 10.
poker::texas_holdem::Game three_player_hand(std::vector<std::string>* seen = nullptr);

} // namespace corvald_test

#endif
