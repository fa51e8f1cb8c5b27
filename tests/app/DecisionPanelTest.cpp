#include "app/DecisionPanel.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/Corvald.h"
#include "app/HandLoop.h"
#include "console/TerminalRenderer.h"
#include "support/CardText.h"
#include "support/RecordingScreen.h"
#include "support/ScopedConsole.h"
#include "texas_holdem/ConsoleSequencer.h"

using namespace poker::texas_holdem;
using corvald_test::Shot;
using poker::Card;
using poker::Hand;
using poker::test::cards;
namespace colour = console::colour;

namespace {

// The screens at every question of one live hand typed as `typed`.
std::vector<Shot> play(const std::string& typed, bool with_panel)
{
    corvald_test::RecordingScreen screen;
    std::istringstream input(typed);
    ConsoleSequencer source("1", input);
    HandLoop::run_live(source, with_panel, HandLoop::hands(1));
    return screen.shots;
}

// Panel row y, trailing blanks dropped.
std::string row(const Shot& shot, int y)
{
    std::string text = shot.screen.text(DecisionPanel::left, y, DecisionPanel::width);
    return text.erase(text.find_last_not_of(' ') + 1);
}

} // namespace

TEST(DecisionPanel, PotCallAndPotOddsBesideTheHighlightedChanceThenTheHandInWords)
{
    // Blinds 0.50 and 1; P3 raises 2.25 to 3.25: the pot is 4.75 and P1, in for 0.50,
    // must call 2.75 into it: 2.75 / 7.50 = 36.7 %.
    const std::string typed = "3\n0.5\n1\nahtd\n2.25\nc\nc\nastc2h\nc\nc\nc\nks\nc\nc\nc\n2s\nc\nc\nc\n\n";
    const std::vector<Shot> shots = play(typed, true);
    const Shot& call = shots[5];
    ASSERT_EQ(call.prompt, "Enter bet <raise>, c or f for P1");
    EXPECT_EQ(row(call, 7) + "|" + row(call, 8) + "|" + row(call, 10) + "|" + row(call, 11) + "|" + row(call, 12),
              "Pot           4.75|To match      3.25|P1 to act|To call       2.75|Pot odds       37%");
    // The chance against the two opponents still in, as the column highlights it.
    EXPECT_EQ(row(call, 13), "Your chance   " + call.screen.text(18, 26, 4));
    EXPECT_EQ(call.screen.cell(57, 13).attribute, colour::bright_yellow);
    EXPECT_EQ(call.screen.cell(18, 26).attribute, colour::bright_yellow);
    EXPECT_EQ(call.screen.cell(57, 8).attribute, colour::dark_green);
    // No call while the blinds or the cards are asked for; no hand before the flop.
    EXPECT_EQ(row(shots[2], 10) + row(shots[7], 10) + row(shots[7], 15), "");

    const Shot& flop = shots[8];
    EXPECT_EQ(row(flop, 15) + "|" + row(flop, 16) + "|" + row(flop, 17) + "|" + row(flop, 20),
              "Your hand|two pair, aces and|tens|full house       4");
    EXPECT_EQ(row(shots.back(), 16) + "|" + row(shots.back(), 19), "two pair, aces and|");

    // Without the panel the table is drawn the same and the panel's cells never written.
    const std::vector<Shot> plain = play(typed, false);
    ASSERT_EQ(plain.size(), shots.size());
    for (std::size_t i = 0; i < shots.size(); ++i)
        for (int y = 0; y < 60; ++y) {
            EXPECT_EQ(plain[i].screen.text(0, y, 40), shots[i].screen.text(0, y, 40)) << i << " " << y;
            EXPECT_EQ(plain[i].screen.text(40, y, 18), std::string(18, ' '));
        }
}

TEST(DecisionPanel, ImprovementsOfAFlushDrawWithAnOpenEndedStraightDrawMatchAnEnumeration)
{
    for (const char* known : {"9h8h7h6c2h", "9h8h7h6c2hkd"}) {
        SCOPED_TRACE(known);
        std::vector<Card> hand = cards(known);
        const Hand::Type now = Hand::best_hand(hand).type;
        DecisionPanel::Improvements counted{};
        for (unsigned index = 0; index < Card::no_cards; ++index) {
            const Card next = Card::from_index(index);
            if (std::find(hand.begin(), hand.end(), next) != hand.end())
                continue;
            hand.push_back(next);
            const Hand::Type type = Hand::best_hand(hand).type;
            counted[type] += type > now;
            hand.pop_back();
        }
        EXPECT_EQ(DecisionPanel::improvements(hand.data(), hand.size()), counted);
        // Nine hearts; the fives and tens that are not hearts.
        EXPECT_EQ(counted[Hand::flush], 9u);
        EXPECT_EQ(counted[Hand::straight], 6u);
    }
    const std::vector<Shot> shots = play("2\n1\n2\n9h8h\nc\nc\n7h6c2h\nf\n\n", true);
    EXPECT_EQ(row(shots[7], 19) + "|" + row(shots[7], 20) + "|" + row(shots[7], 21),
              "Next card makes|flush            9|straight         6");
}

TEST(DecisionPanel, RedrawnUnchangedItSendsTheTerminalNothing)
{
    console::ScopedConsole scope;
    Corvald driver;
    driver.show_panel = true;
    driver.calculator.setup(2);
    driver.game.new_hand({"P1", "P2", "P3"});
    const std::vector<Card> known = cards("ahkdqh7h2c");
    driver.calculator.set_hole(known[0], known[1]);
    driver.calculator.set_flop(known[2], known[3], known[4]);
    driver.calculate();
    console::TerminalRenderer renderer;
    renderer.set_terminal_size(console::screen_width, console::screen_height);
    driver.refresh(true);
    EXPECT_NE(renderer.render(scope.screen, false).find("Next card makes"), std::string_view::npos);
    driver.refresh(true);
    EXPECT_EQ(renderer.render(scope.screen, false), "");
}
