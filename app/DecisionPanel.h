#ifndef CORVALD_APP_DECISIONPANEL_H
#define CORVALD_APP_DECISIONPANEL_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "poker/Card.h"
#include "poker/Hand.h"
#include "texas_holdem/Calculator.h"
#include "texas_holdem/Game.h"

namespace poker::texas_holdem {

// The figures a player weighs at a decision, beside the table in columns 40 to 57 of rows
// 7 to 39: the pot (every stake so far) and the stake to match; for the player to act the
// amount to call and the pot odds, call / (pot + call), the chance of winning a call needs
// to pay; right under them the user's chance against the opponents still in (the
// highlighted figure of the chance column); once the flop is known the user's best hand
// in words and, before the turn and the river, how many unseen cards would lift it to
// each better category.
//
// A part of the table view with its own switch (Corvald::show_panel): the live table
// shows it, `--plain` and the replay (whose hole cards are never known) do not.
class DecisionPanel {
public:
    DecisionPanel() = delete;

    static constexpr int left = 40;
    static constexpr int width = 18;
    static constexpr int top = 7;
    static constexpr int bottom = 39;

    // Redraws the whole panel. `to_act`: the player whose turn it is is being asked for a
    // move (the call figures are left out while blinds or cards are asked for).
    static void draw(const Game& game, const Calculator& calculator, double weight, bool to_act);

    // Black on black over the whole panel, as the table is left when a hand ends.
    static void blank();

    // For each hand category, how many of the cards not among `known` would make it the
    // best hand of `known` and that card: 0 for the category of `known` and those below.
    // At least five of the cards must be known, at most seven given; they needn't be
    // distinct. No allocation.
    using Improvements = std::array<unsigned, Hand::straight_flush + 1>;
    static Improvements improvements(const Card* known, std::size_t count);

    // The hand in words: "two pair, aces and tens", "kings full of sevens".
    static std::string hand_words(const Hand& hand);

    // An amount in whole cents, rounded to the nearest; none for a NaN, an infinity or an
    // amount too large to be money.
    static std::optional<std::int64_t> cents(float amount);
};

} // namespace poker::texas_holdem

#endif
