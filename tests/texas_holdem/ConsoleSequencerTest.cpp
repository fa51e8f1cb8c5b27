#include "texas_holdem/ConsoleSequencer.h"

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "console/Colour.h"
#include "poker/Card.h"
#include "support/RecordingScreen.h"
#include "texas_holdem/Game.h"

using corvald_test::RecordingScreen;
using poker::Card;
using poker::texas_holdem::ConsoleSequencer;
using poker::texas_holdem::Game;

namespace {

const std::string players_prompt = "Enter no players (max 16)";

// A console source reading the given typing, with the screen it draws on.
struct Dialogue {
    explicit Dialogue(const std::string& typed) : input(typed) {}

    RecordingScreen screen;
    std::istringstream input;
    ConsoleSequencer source{"4.2", input};
};

// Ends with the input at the first question, after a refused answer, or on a failed stream.
void ask_until_the_input_ends(const std::string& typed, bool fail_stream)
{
    Dialogue dialogue(typed);
    if (fail_stream)
        dialogue.input.setstate(std::ios::badbit);
    dialogue.source.request_move("P1");
}

} // namespace

TEST(ConsoleSequencer, AcceptedAndRefusedAnswers)
{
    constexpr float refused = -100.0f;
    enum class Ask { players, blind, move };
    struct Row {
        Ask ask;
        const char* typed;
        float value;  // the number of players for a count
        bool autobet = false;
    };
    const Ask p = Ask::players, b = Ask::blind, m = Ask::move;
    const Row rows[] = {
        // A count from 1 to 16, then nothing or the word "autobet" alone.
        {p, "3", 3}, {p, " 3", 3}, {p, "1", 1}, {p, "3 autobet", 3, true}, {p, "3autobet", 3, true},
        {p, "3 autobet please", 3, true}, {p, "16 autobet", 16, true}, {p, "17", refused},
        {p, "0", refused}, {p, "0 autobet", refused}, {p, "17 autobet", refused},
        {p, "3 quick", refused}, {p, "3 Autobet", refused}, {p, "3.5", refused}, {p, "-3", refused},
        {p, "99999999999", refused}, {p, "", refused}, {p, "x", refused},
        // A blind is any number at the start of the line.
        {b, "0.5", 0.5f}, {b, "2 chips", 2}, {b, "0", 0}, {b, "-3", -3}, {b, " 7", 7},
        {b, "x", refused}, {b, "", refused}, {b, "chips 2", refused},
        // A move is a number starting with a digit, or exactly "c" or "f".
        {m, "c", 0}, {m, "f", -1}, {m, "12", 12}, {m, "12.5abc", 12.5f}, {m, "0", 0}, {m, "3 c", 3},
        {m, "C", refused}, {m, "F", refused}, {m, " c", refused}, {m, "c ", refused},
        {m, "call", refused}, {m, "fold", refused}, {m, "-3", refused}, {m, ".5", refused},
        {m, " 5", refused}, {m, "+5", refused}, {m, "", refused},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << '"' << row.typed << "\" to question " << static_cast<int>(row.ask));
        // A refused line is asked again, and the "9" typed next is taken.
        Dialogue dialogue(std::string(row.typed) + "\n9\n");
        ConsoleSequencer& source = dialogue.source;
        const float value = row.ask == p ? static_cast<float>(source.request_new_game(16).players.size())
                            : row.ask == b ? source.request_blind("P2")
                                           : source.request_move("P3");
        EXPECT_EQ(value, row.value == refused ? 9.0f : row.value);
        EXPECT_EQ(source.autobet, row.autobet);
        EXPECT_EQ(dialogue.screen.shots.size(), row.value == refused ? 2u : 1u);
    }
}

TEST(ConsoleSequencer, PlayersAreNamedBySeatFromOne)
{
    Dialogue dialogue("16\n");
    const auto players = dialogue.source.request_new_game(16).players;
    ASSERT_EQ(players.size(), 16u);
    EXPECT_EQ(players[0] + players[9] + players[15], "P1P10P16");
}

TEST(ConsoleSequencer, FirstShowingIsPlainAndEveryRepeatBrightRed)
{
    Dialogue dialogue("17\nx\n3\n");
    dialogue.source.request_new_game(16);
    const auto& shots = dialogue.screen.shots;
    ASSERT_EQ(shots.size(), 3u);
    const int last = static_cast<int>(players_prompt.size());  // the prompt's last column
    for (std::size_t i = 0; i < shots.size(); ++i) {
        const console::Surface& screen = shots[i].screen;
        EXPECT_EQ(shots[i].prompt, players_prompt);
        // The terminal cursor waits on the input line, right of the ">" mark.
        EXPECT_EQ(std::make_pair(screen.cursor_x(), screen.cursor_y()), std::make_pair(2, 4));
        const auto colour = i == 0 ? console::colour::white : console::colour::bright_red;
        EXPECT_EQ(screen.cell(1, 3).attribute, colour) << i;
        EXPECT_EQ(screen.cell(last, 3).attribute, colour) << i;
        EXPECT_NE(screen.cell(last + 1, 3).attribute, console::colour::bright_red) << i;
        EXPECT_EQ(screen.cell(1, 3).plain, i == 0) << i;
    }
}

TEST(ConsoleSequencer, QuestionAndAnswerAreWipedOnceRead)
{
    Dialogue dialogue("x\n3 autobet\n");
    // Stands for whatever the answer line showed before.
    dialogue.screen.console.fill_character(1, 4, '#', 20);
    dialogue.source.request_new_game(16);

    const auto& screen = dialogue.screen.screen;
    EXPECT_EQ(screen.text(0, 3, 30), std::string(30, ' '));
    // The red of the refused showing goes with the blanks written over it.
    EXPECT_EQ(screen.cell(1, 3).attribute, console::colour::white);
    EXPECT_TRUE(screen.cell(1, 3).plain);
    // ">" stays, then as many blanks as the last answer had characters.
    EXPECT_EQ(screen.text(1, 4, 13), ">         ###");
}

TEST(ConsoleSequencer, AutobetAnswersBlindsAndMovesWithoutAskingForOneHandOnly)
{
    Dialogue dialogue("3 autobet\n2\n5\n");
    ConsoleSequencer& source = dialogue.source;
    source.request_new_game(16);
    EXPECT_EQ(source.request_blind("P1"), 1.0f);
    EXPECT_EQ(source.request_blind("P2"), 1.0f);
    EXPECT_EQ(source.request_move("P3"), 0.0f);
    EXPECT_EQ(dialogue.screen.shots.size(), 1u);
    source.request_new_game(16);
    EXPECT_EQ(source.request_blind("P1"), 5.0f);
    EXPECT_EQ(dialogue.screen.shots.size(), 3u);
}

TEST(ConsoleSequencer, CardsAreExactlyTheRoundsCardsInNotation)
{
    Dialogue dialogue("AhKd\nah kd\nahk\nahkdqs\nahkd\n2c7d9h\nts\n2s\n");
    ConsoleSequencer& source = dialogue.source;
    EXPECT_EQ(source.request_cards(Game::hole),
              (std::vector<Card>{Card(12, Card::hearts), Card(11, Card::diamonds)}));
    EXPECT_EQ(source.request_cards(Game::flop),
              (std::vector<Card>{Card(0, Card::clubs), Card(5, Card::diamonds), Card(7, Card::hearts)}));
    EXPECT_EQ(source.request_cards(Game::turn), std::vector<Card>{Card(8, Card::spades)});
    EXPECT_EQ(source.request_cards(Game::river), std::vector<Card>{Card(0, Card::spades)});
    // The four refused lines asked the hole cards again.
    EXPECT_EQ(dialogue.screen.prompts(),
              (std::vector<std::string>{"Enter hole cards", "Enter hole cards", "Enter hole cards",
                                        "Enter hole cards", "Enter hole cards", "Enter flop cards",
                                        "Enter turn card", "Enter river card"}));
}

TEST(ConsoleSequencer, EndOfHandTakesOneLineWhateverItSays)
{
    Dialogue dialogue("\nanything at all\nleft\n");
    dialogue.source.notify_end_game({});
    dialogue.source.notify_end_game({});
    std::string rest;
    std::getline(dialogue.input, rest);
    EXPECT_EQ(rest, "left");
    EXPECT_EQ(dialogue.screen.prompts(),
              (std::vector<std::string>{"Hit enter for a new game", "Hit enter for a new game"}));
    EXPECT_TRUE(dialogue.screen.shots[1].screen.cell(1, 3).plain);
}

TEST(ConsoleSequencer, LinesEndInLfOrCrLfAndTheLastNeedsNoEnd)
{
    Dialogue dialogue("3\r\nc\r\nahkd\r\n4");
    EXPECT_EQ(dialogue.source.request_new_game(16).players.size(), 3u);
    EXPECT_EQ(dialogue.source.request_move("P3"), 0.0f);
    EXPECT_EQ(dialogue.source.request_cards(Game::hole).size(), 2u);
    EXPECT_EQ(dialogue.source.request_new_game(16).players.size(), 4u);
    EXPECT_EQ(dialogue.screen.shots.size(), 4u);
}

TEST(ConsoleSequencerDeathTest, EndOfInputEndsTheRunWithStatusZero)
{
    const std::pair<std::string, bool> cases[] = {{"", false}, {"x\ny", false}, {"3\n", true}};
    for (const auto& [typed, fail_stream] : cases)
        EXPECT_EXIT(ask_until_the_input_ends(typed, fail_stream), ::testing::ExitedWithCode(0), "")
            << '"' << typed << '"';
}
