#include "app/DecisionPanel.h"

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/HandLoop.h"
#include "support/CardText.h"
#include "support/RecordingScreen.h"
#include "support/ScreenPicture.h"
#include "texas_holdem/ConsoleSequencer.h"

using namespace poker::texas_holdem;
using corvald_test::Shot;
using poker::Card;
using poker::Hand;
using poker::test::cards;

namespace {

// The screens at every question of one live hand typed as `typed`.
std::vector<Shot> play(const std::string& typed, bool with_panel)
{
    corvald_test::Typing<> typing(typed);
    HandLoop::run_live(typing.source, with_panel, HandLoop::hands(1));
    return typing.screen.shots;
}

} // namespace

TEST(DecisionPanel, PotCallAndPotOddsBesideTheHighlightedChanceThenTheHandInWords)
{
    // Blinds 0.50 and 1; P3 raises 2.25 to 3.25: the pot is 4.75 and P1, in for 0.50,
    // must call 2.75 into it: 2.75 / 7.50 = 36.7 %.
    const std::string typed = "3\n0.5\n1\nahtd\n2.25\nc\nc\nastc2h\nc\nc\nc\nks\nc\nc\nc\n2s\nc\nc\nc\n\n";
    const std::vector<Shot> shots = play(typed, true);
    ASSERT_EQ(shots[5].prompt, "Enter bet <raise>, c or f for P1");
    // At P1's call the whole screen: the panel's chance is the one the column highlights.
    // No call while the blinds or the cards are asked for, no hand before the flop; then
    // the hand in words and what the next card makes, and at the end the hand alone.
    const corvald_test::Region panel{DecisionPanel::left, 57, 7, 22};
    const std::tuple<std::size_t, corvald_test::Region, std::string> asked[] = {{5, {}, "call"},
                                                                                {2, panel, "blind"},
                                                                                {7, panel, "flop-cards"},
                                                                                {8, panel, "flop"},
                                                                                {shots.size() - 1, panel, "end"}};
    for (const auto& [shot, region, name] : asked)
        EXPECT_TRUE(corvald_test::matches_golden(shots[shot].screen, region, "app/screens/DecisionPanel-" + name));

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
    EXPECT_TRUE(corvald_test::matches_golden(shots[7].screen, {DecisionPanel::left, 57, 7, 22},
                                             "app/screens/DecisionPanel-draw"));
    // A royal flush made on the flop: a chance of one, shown whole.
    const std::vector<Shot> nuts = play("2\n1\n2\nahkh\nc\nc\nqhjhth\nf\n\n", true);
    EXPECT_EQ(nuts[7].screen.text(DecisionPanel::left, 13, 18), "Your chance   100%");
}

TEST(DecisionPanel, EveryKindOfHandInWordsWithTheLowestAndHighestValues)
{
    const std::pair<const char*, const char*> rows[] = {
        {"2c3d4h5s7c", "seven high"},
        {"2c2d7h9sjc", "pair of twos"},
        {"acad2h2s7c", "two pair, aces and twos"},
        {"3c3d3h9sjc", "three of a kind, threes"},
        {"ac2d3h4s5c", "straight, five high"},
        {"ahkhqh9h2h", "flush, ace high"},
        {"2c2d2hasac", "full house, twos full of aces"},
        {"kckdkhks2c", "four of a kind, kings"},
        {"9h8h7h6h5h", "straight flush, nine high"},
        {"ahkhqhjhth", "royal flush"},
    };
    for (const auto& [hand, words] : rows)
        EXPECT_EQ(DecisionPanel::hand_words(Hand::best_hand(cards(hand))), words);
}
