#include "texas_holdem/pokerstars/RecordSequencer.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "app/Corvald.h"
#include "console/Colour.h"
#include "support/HandRecordBuilder.h"
#include "support/RecordingScreen.h"
#include "support/ReplayHarness.h"
#include "texas_holdem/pokerstars/HandHistoryError.h"
#include "texas_holdem/pokerstars/HandReader.h"

using namespace poker::texas_holdem;
using namespace poker::texas_holdem::pokerstars;

constexpr int chances_top = 24;
constexpr int stakes_top = 43;
const int round_columns[] = {18, 23, 28, 33};

// The same hand as the typed one below: the hero (small blind) holds Ah Kd; the third
// player and the hero call, the big blind checks; on the flop the hero bets 4, the big
// blind folds, the button calls; the turn and river are checked.
const char* const replayed_hand = R"(PokerStars Hand #2001:  Hold'em No Limit ($1/$2 USD) - 2023/11/18 15:43:58 ET
Table 'T' 6-max Seat #3 is the button
Seat 1: Hero ($100 in chips)
Seat 2: Villain ($100 in chips)
Seat 3: Third ($100 in chips)
Hero: posts small blind $1
Villain: posts big blind $2
*** HOLE CARDS ***
Dealt to Hero [Ah Kd]
Third: calls $2
Hero: calls $1
Villain: checks
*** FLOP *** [2c 7d 9h]
Hero: bets $4
Villain: folds
Third: calls $4
*** TURN *** [2c 7d 9h] [Ts]
Hero: checks
Third: checks
*** RIVER *** [2c 7d 9h Ts] [2s]
Hero: checks
Third: checks
*** SHOW DOWN ***
Hero: shows [Ah Kd] (a pair of Twos)
Third: mucks hand
Hero collected $14 from pot
*** SUMMARY ***
Total pot $14 | Rake $0
Board [2c 7d 9h Ts 2s]
Seat 1: Hero (small blind) showed [Ah Kd] and won ($14) with a pair of Twos
Seat 2: Villain (big blind) folded on the Flop
Seat 3: Third (button) mucked
)";
const char* const typed_hand = "3\n1\n2\nahkd\nc\nc\nc\n2c7d9h\n4\nf\nc\nts\nc\nc\n2s\nc\nc\n\n";

// The hero's cards reach the calculator: the chances and the stakes on the table are the
// live program's for the same hand typed in, and the hero's stakes have their own colour.
TEST(RecordSequencer, HeroHandShowsWhatTheTypedHandShows)
{
    // The chances and stakes of the four round columns, as text.
    const auto columns = [](const console::Surface& screen) {
        std::string text;
        for (const int col : round_columns) {
            for (int y = chances_top; y < stakes_top + 3; ++y)
                text += screen.text(col, y, 4) + "|";
        }
        return text;
    };
    std::string typed_columns;
    {
        corvald_test::Typing<> typed(typed_hand);
        Corvald().go(typed.source);
        typed_columns = columns(typed.screen.shots.back().screen);
    }
    corvald_test::RecordingScreen screen;
    std::istringstream in(replayed_hand);
    HandReader reader(in);
    HandRecord record;
    ASSERT_TRUE(reader.next(record));
    RecordSequencer source(record);
    Corvald driver;
    driver.go(source);
    EXPECT_EQ(columns(screen.surface), typed_columns);
    EXPECT_EQ(screen.surface.text(round_columns[0], stakes_top, 4), "   2");
    EXPECT_EQ(screen.surface.cell(round_columns[3], stakes_top).attribute, console::colour::bright_cyan);
    EXPECT_EQ(screen.surface.cell(round_columns[3], stakes_top + 2).attribute, console::colour::white);
}

// Every real hand through the hand driver: heads-up order, all-in calls for less, caps,
// antes and newcomers' blinds; at the end the table's stakes must be the file's.
TEST(RecordSequencer, EveryRealHandPlaysToTheEndWithTheFilesStakes)
{
    const std::string folder = corvald_test::shared_hand_histories() + "/current";
    CORVALD_SKIP_WITHOUT(folder);
    corvald_test::RecordingScreen screen;
    std::size_t played = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.path().extension() != ".txt")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        HandReader reader(in);
        HandRecord record;
        for (;;) {
            try {
                if (!reader.next(record))
                    break;
            } catch (const HandHistoryError&) {
                continue; // the two hand-edited samples, AnteTable and WithSittingOut
            }
            RecordSequencer source(record);
            Corvald driver;
            driver.no_simulated_hands = 1;
            EXPECT_NO_THROW(driver.go(source)) << entry.path() << ":" << record.first_line;
            ++played;
        }
    }
    EXPECT_EQ(played, 1246u);
}

// A record that runs out of moves or cards while the table still plays stops with the
// message of what is missing, at the hand's last line; one whose moves the table cannot
// take stops with what is wrong.
TEST(RecordSequencer, RecordShortOfAMoveOrACardOrWithMovesTheTableCannotTakeSaysWhat)
{
    using poker::test::HandRecordBuilder;
    using Kind = HandRecordBuilder::Kind;
    // clang-format off
    const auto blinds = [] {
        return std::move(HandRecordBuilder("9").seat("A").seat("B").seat("C")
            .act("A", Kind::small_blind, 50).act("B", Kind::big_blind, 100));
    };
    // clang-format on
    const auto preflop = [&] {
        return std::move(blinds().act("C", Kind::call, 100).act("A", Kind::call, 50).act("B", Kind::check));
    };
    const auto outcome = [](HandRecord record) -> std::string {
        record.last_line = 77;
        corvald_test::RecordingScreen screen;
        Corvald driver;
        driver.no_simulated_hands = 1;
        return corvald_test::hand_history_fault([&] {
            RecordSequencer source(record);
            driver.go(source);
        });
    };
    EXPECT_EQ(outcome(preflop().street("2c 7d 9h").build()),
              "77 Move order mismatch: the table expects a move of A here");
    EXPECT_EQ(
        outcome(preflop().street("2c 7d 9h").act("A", Kind::check).act("B", Kind::check).act("C", Kind::check).build()),
        "77 The hand history deals no turn");
    // Two names that the table's cells show alike get their seat numbers.
    const HandRecord record =
        preflop().seat("A\xE2\x82\xAC").seat("A?").act("A\xE2\x82\xAC", Kind::fold).act("A?", Kind::fold).build();
    RecordSequencer alike(record);
    EXPECT_EQ(alike.request_new_game(16).players, (std::vector<std::string>{"A", "B", "C", "A?", "A?#5"}));
    // Moves the table cannot take as the record has them.
    EXPECT_EQ(outcome(HandRecordBuilder("9").seat("A").seat("B").act("A", Kind::small_blind, 50).build()),
              "0 Fewer than two players dealt in");
    EXPECT_EQ(outcome(preflop().act("C", Kind::check).street("2c 7d 9h").build()),
              "0 The driver closed the betting before this move");
    EXPECT_EQ(outcome(blinds().act("C", Kind::call, 60).build()),
              "0 A call for less than the stake to match without all-in");
    EXPECT_EQ(outcome(blinds().act("C", Kind::fold).act("A", Kind::fold).act("B", Kind::check).build()),
              "0 The driver ended the hand before this move");
}
