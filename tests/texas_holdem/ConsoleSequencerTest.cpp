#include "texas_holdem/ConsoleSequencer.h"

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "console/Colour.h"
#include "support/RecordingScreen.h"
#include "support/ScreenPicture.h"
#include "texas_holdem/Game.h"

using corvald_test::Typing;
using poker::texas_holdem::ConsoleSequencer;
using poker::texas_holdem::Game;

TEST(ConsoleSequencer, AcceptedAndRefusedAnswers)
{
    constexpr float refused = -100.0f;
    enum class Ask { players, blind, move };
    struct Row {
        Ask ask;
        const char* typed;
        float value; // the number of players for a count
        bool autobet = false;
    };
    const Ask p = Ask::players, b = Ask::blind, m = Ask::move;
    // clang-format off
    const Row rows[] = {
        // A count from 1 to 16, then nothing or the word "autobet" alone.
        {p, "3", 3}, {p, " 3", 3}, {p, "3\r", 3}, {p, "3 autobet", 3, true}, {p, "3autobet", 3, true},
        {p, "3 autobet please", 3, true}, {p, "16 autobet", 16, true}, {p, "1", 1},
        {p, "17", refused}, {p, "0", refused}, {p, "3 quick", refused}, {p, "3 Autobet", refused},
        {p, "3.5", refused}, {p, "-3", refused}, {p, "99999999999", refused}, {p, "", refused},
        // A blind is any number at the start of the line.
        {b, "0.5", 0.5f}, {b, "2 chips", 2}, {b, "-3", -3}, {b, " 7", 7}, {b, "x", refused},
        {b, "", refused}, {b, "chips 2", refused},
        // A move is a number starting with a digit, or exactly "c" or "f".
        {m, "c", 0}, {m, "c\r", 0}, {m, "f", -1}, {m, "12.5abc", 12.5f}, {m, "0", 0}, {m, "3 c", 3},
        {m, "C", refused}, {m, " c", refused}, {m, "c ", refused}, {m, "call", refused},
        {m, "-3", refused}, {m, ".5", refused}, {m, "+5", refused}, {m, "", refused},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << '"' << row.typed << "\" asked " << static_cast<int>(row.ask));
        // A refused line is asked again, and the "9" typed next is taken.
        Typing<> dialogue(std::string(row.typed) + "\n9\n");
        ConsoleSequencer& source = dialogue.source;
        float value = 0;
        if (row.ask == p)
            value = static_cast<float>(source.request_new_game(16).players.size());
        else
            value = row.ask == b ? source.request_blind("P2") : source.request_move("P3");
        EXPECT_EQ(value, row.value == refused ? 9.0f : row.value);
        EXPECT_EQ(source.autobet, row.autobet);
        EXPECT_EQ(dialogue.screen.shots.size(), row.value == refused ? 2u : 1u);
    }
}

TEST(ConsoleSequencer, QuestionAndAnswerAreWipedOnceRead)
{
    Typing<> dialogue("x\n3 autobet\n");
    // Stands for whatever the answer line showed before.
    dialogue.screen.fill_character(1, 4, '#', 20);
    dialogue.source.request_new_game(16);

    // The question is blanked in white, the red of the refused showing going with it; ">"
    // stays, then as many blanks as the last answer had characters.
    EXPECT_EQ(corvald_test::picture(dialogue.screen.surface, {0, 29, 3, 4}),
              std::string(30, ' ') + "|" + std::string(30, 'W') + "\n >         ##########         |"
                  + std::string(30, 'W') + "\n");
    EXPECT_TRUE(dialogue.screen.surface.cell(1, 3).plain);
}

// An answer line is at most 4,096 characters; a longer one, however long, is refused as a
// whole and the next line is the answer. The last line needs no end.
TEST(ConsoleSequencer, OverlongLineIsRefusedWithoutTheRestBeingTaken)
{
    const std::string longest = "3" + std::string(4095, ' ');
    const std::pair<std::string, std::size_t> typed_and_shots[] = {
        {longest + "\n", 1}, {longest + " 9\n2\n", 2}, {std::string(3'000'000, '7') + "\n2\n", 2}, {"3", 1}};
    for (const auto& [typed, shots] : typed_and_shots) {
        Typing<> dialogue(typed);
        EXPECT_EQ(dialogue.source.request_new_game(16).players.size(), shots == 1 ? 3u : 2u);
        ASSERT_EQ(dialogue.screen.shots.size(), shots);
        EXPECT_EQ(dialogue.screen.shots.back().screen.cell(1, 3).attribute,
                  shots == 1 ? console::colour::white : console::colour::bright_red);
        for (const auto& [prompt, screen] : dialogue.screen.shots) {
            // The whole question in one colour; the cursor waits right of the ">" mark.
            EXPECT_EQ(screen.cell(static_cast<int>(prompt.size()), 3).attribute, screen.cell(1, 3).attribute);
            EXPECT_EQ(std::pair(screen.cursor_x(), screen.cursor_y()), std::pair(2, 4));
        }
    }
}

// A card is dealt once: a repeat within the answer, or of a card given earlier in the
// hand, is a typing slip and asked again in red. A new hand starts with a full deck.
TEST(ConsoleSequencer, RepeatedCardIsAskedAgainInRed)
{
    Typing<> dialogue("3\nahah\nahkd\nasahkh\nqsahkd\nasqdks\nks\nqd\nkh\n2\nkhqd\n");
    ConsoleSequencer& source = dialogue.source;
    source.request_new_game(16);
    for (const Game::Round round : {Game::hole, Game::flop, Game::turn})
        source.request_cards(round);
    EXPECT_EQ(source.request_new_game(16).players.size(), 2u);
    EXPECT_EQ(source.request_cards(Game::hole).size(), 2u);
    std::string asked;
    for (const auto& shot : dialogue.screen.shots)
        asked +=
            shot.prompt.substr(6, 4) + (shot.screen.cell(1, 3).attribute == console::colour::bright_red ? "! " : " ");
    EXPECT_EQ(asked, "no p hole hole! flop flop! flop! turn turn! turn! no p hole ");
}
