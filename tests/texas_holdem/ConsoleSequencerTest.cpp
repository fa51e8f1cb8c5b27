#include "texas_holdem/ConsoleSequencer.h"

#include <sstream>
#include <string>
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

    // The rest of the typing, to see how much the source took.
    std::string unread()
    {
        std::string rest;
        std::getline(input, rest, '\0');
        return rest;
    }

    RecordingScreen screen;
    std::istringstream input;
    ConsoleSequencer source{"4.2", input};
};

// The answer the source takes from `line`, the fallback when it refuses `line`; and how
// many times it asked.
template <typename Ask>
auto answer_to(const std::string& line, const std::string& fallback, Ask ask)
{
    Dialogue dialogue(line + "\n" + fallback + "\n");
    const auto answer = ask(dialogue.source);
    return std::make_pair(answer, dialogue.screen.prompts.size());
}

} // namespace

TEST(ConsoleSequencer, VersionStandsRightOfTheHandLine)
{
    Dialogue dialogue("");
    EXPECT_EQ(dialogue.screen.screen.text(11, 1, 7), " V4.2  ");
    EXPECT_EQ(dialogue.screen.screen.text(12, 1, 5), "V4.2 ");
    EXPECT_EQ(dialogue.source.version, "4.2");
}

TEST(ConsoleSequencer, PlayerCountNamesSeatsFromOne)
{
    Dialogue dialogue("3\n");
    const auto game = dialogue.source.request_new_game(16);
    EXPECT_EQ(game.players, (std::vector<std::string>{"P1", "P2", "P3"}));
    EXPECT_EQ(game.table_name, "Console");
    EXPECT_EQ(game.game_id, "");
    EXPECT_FALSE(dialogue.source.autobet);
    EXPECT_EQ(dialogue.screen.prompt_texts(), std::vector<std::string>{players_prompt});

    Dialogue sixteen("16\n");
    const auto full = sixteen.source.request_new_game(16);
    ASSERT_EQ(full.players.size(), 16u);
    EXPECT_EQ(full.players[9], "P10");
    EXPECT_EQ(full.players[15], "P16");
}

TEST(ConsoleSequencer, PlayerCountAnswers)
{
    struct Case {
        std::string typed;
        unsigned players;  // 0: refused
        bool autobet;
    };
    const std::vector<Case> cases = {
        {"3", 3, false},           {" 3", 3, false},          {"3 autobet", 3, true},
        {"3autobet", 3, true},     {"3 autobet please", 3, true}, {"16 autobet", 16, true},
        {"1", 1, false},           {"17", 0, false},          {"0", 0, false},
        {"0 autobet", 0, false},   {"3 quick", 0, false},     {"3.5", 0, false},
        {"3 Autobet", 0, false},   {"", 0, false},            {"x", 0, false},
        {"-3", 0, false},          {"99999999999", 0, false}, {"17 autobet", 0, false},
    };
    for (const Case& c : cases) {
        Dialogue dialogue(c.typed + "\n2\n");
        const auto game = dialogue.source.request_new_game(16);
        if (c.players != 0) {
            EXPECT_EQ(game.players.size(), c.players) << '"' << c.typed << '"';
            EXPECT_EQ(dialogue.source.autobet, c.autobet) << '"' << c.typed << '"';
            EXPECT_EQ(dialogue.screen.prompts.size(), 1u) << '"' << c.typed << '"';
        } else {
            // Refused: asked again, and the fallback "2" without autobet is taken.
            EXPECT_EQ(dialogue.screen.prompts.size(), 2u) << '"' << c.typed << '"';
            EXPECT_EQ(game.players.size(), 2u) << '"' << c.typed << '"';
            EXPECT_FALSE(dialogue.source.autobet) << '"' << c.typed << '"';
        }
    }
}

TEST(ConsoleSequencer, FirstShowingIsPlainAndEveryRepeatBrightRed)
{
    Dialogue dialogue("17\nx\n3\n");
    dialogue.source.request_new_game(16);
    const auto& prompts = dialogue.screen.prompts;
    ASSERT_EQ(prompts.size(), 3u);
    for (const auto& prompt : prompts) {
        EXPECT_EQ(prompt.text, players_prompt);
        // The terminal cursor waits on the input line, right of the ">" mark.
        EXPECT_EQ(prompt.cursor_x, 2);
        EXPECT_EQ(prompt.cursor_y, 4);
    }
    EXPECT_TRUE(prompts[0].plain);
    EXPECT_EQ(prompts[0].attribute, console::colour::white);
    EXPECT_EQ(prompts[0].red_cells, 0);
    for (int i = 1; i < 3; ++i) {
        EXPECT_FALSE(prompts[i].plain);
        EXPECT_EQ(prompts[i].attribute, console::colour::bright_red);
        EXPECT_EQ(prompts[i].red_cells, static_cast<int>(players_prompt.size()));
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

TEST(ConsoleSequencer, AutobetAnswersBlindsAndMovesWithoutAsking)
{
    Dialogue dialogue("3 autobet\nnext\n");
    dialogue.source.request_new_game(16);
    EXPECT_EQ(dialogue.source.request_blind("P1"), 1.0f);
    EXPECT_EQ(dialogue.source.request_blind("P2"), 1.0f);
    EXPECT_EQ(dialogue.source.request_move("P3"), 0.0f);
    EXPECT_EQ(dialogue.screen.prompts.size(), 1u);
    EXPECT_EQ(dialogue.unread(), "next\n");
}

TEST(ConsoleSequencer, AutobetHoldsForOneHandOnly)
{
    Dialogue dialogue("2 autobet\n2\n5\n");
    dialogue.source.request_new_game(16);
    EXPECT_TRUE(dialogue.source.autobet);
    dialogue.source.request_new_game(16);
    EXPECT_FALSE(dialogue.source.autobet);
    EXPECT_EQ(dialogue.source.request_blind("P1"), 5.0f);
    EXPECT_EQ(dialogue.screen.prompt_texts().back(), "Enter blind bet for P1");
}

TEST(ConsoleSequencer, BlindIsAnyNumberAtTheStartOfTheLine)
{
    const auto blind = [](ConsoleSequencer& source) { return source.request_blind("P2"); };
    struct Case {
        std::string typed;
        float amount;
        std::size_t asked;
    };
    const std::vector<Case> cases = {{"0.5", 0.5f, 1}, {"2 chips", 2.0f, 1}, {"0", 0.0f, 1},
                                     {"-3", -3.0f, 1},  {" 7", 7.0f, 1},      {"x", 9.0f, 2},
                                     {"", 9.0f, 2},     {"chips 2", 9.0f, 2}};
    for (const Case& c : cases) {
        const auto [amount, asked] = answer_to(c.typed, "9", blind);
        EXPECT_EQ(amount, c.amount) << '"' << c.typed << '"';
        EXPECT_EQ(asked, c.asked) << '"' << c.typed << '"';
    }

    Dialogue dialogue("1\n");
    dialogue.source.request_blind("P2");
    EXPECT_EQ(dialogue.screen.prompt_texts(), std::vector<std::string>{"Enter blind bet for P2"});
}

TEST(ConsoleSequencer, MoveIsANumberStartingWithADigitOrExactlyCOrF)
{
    const auto move = [](ConsoleSequencer& source) { return source.request_move("P3"); };
    const std::vector<std::pair<std::string, float>> accepted = {
        {"c", 0.0f}, {"f", -1.0f}, {"12", 12.0f}, {"12.5abc", 12.5f}, {"0", 0.0f}, {"3 c", 3.0f}};
    for (const auto& [typed, amount] : accepted) {
        const auto [answer, asked] = answer_to(typed, "7", move);
        EXPECT_EQ(answer, amount) << '"' << typed << '"';
        EXPECT_EQ(asked, 1u) << '"' << typed << '"';
    }
    for (const std::string typed : {"C", "F", " c", "c ", "call", "fold", "-3", ".5", " 5", "+5", ""}) {
        const auto [answer, asked] = answer_to(typed, "7", move);
        EXPECT_EQ(answer, 7.0f) << '"' << typed << '"';
        EXPECT_EQ(asked, 2u) << '"' << typed << '"';
    }

    Dialogue dialogue("c\n");
    dialogue.source.request_move("P3");
    EXPECT_EQ(dialogue.screen.prompt_texts(),
              std::vector<std::string>{"Enter bet <raise>, c or f for P3"});
}

TEST(ConsoleSequencer, CardsAreExactlyTheRoundsCardsInNotation)
{
    Dialogue dialogue("AhKd\nah kd\nahk\nahkdqs\nahkd\n2c7d9h\nts\n2s\n");
    EXPECT_EQ(dialogue.source.request_cards(Game::hole),
              (std::vector<Card>{Card(12, Card::hearts), Card(11, Card::diamonds)}));
    EXPECT_EQ(dialogue.source.request_cards(Game::flop),
              (std::vector<Card>{Card(0, Card::clubs), Card(5, Card::diamonds), Card(7, Card::hearts)}));
    EXPECT_EQ(dialogue.source.request_cards(Game::turn), std::vector<Card>{Card(8, Card::spades)});
    EXPECT_EQ(dialogue.source.request_cards(Game::river), std::vector<Card>{Card(0, Card::spades)});

    const std::vector<std::string> asked = {
        "Enter hole cards", "Enter hole cards", "Enter hole cards", "Enter hole cards",
        "Enter hole cards", "Enter flop cards", "Enter turn card",  "Enter river card"};
    EXPECT_EQ(dialogue.screen.prompt_texts(), asked);
    EXPECT_EQ(dialogue.screen.prompts[3].attribute, console::colour::bright_red);
}

TEST(ConsoleSequencer, EndOfHandTakesOneLineWhateverItSays)
{
    Dialogue dialogue("\nanything at all\nleft\n");
    dialogue.source.notify_end_game({});
    dialogue.source.notify_end_game({});
    EXPECT_EQ(dialogue.unread(), "left\n");
    EXPECT_EQ(dialogue.screen.prompt_texts(),
              (std::vector<std::string>{"Hit enter for a new game", "Hit enter for a new game"}));
    EXPECT_TRUE(dialogue.screen.prompts[1].plain);
}

TEST(ConsoleSequencer, CarriageReturnBelongsToTheLineEnd)
{
    Dialogue dialogue("3\r\nc\r\nahkd\r\n");
    EXPECT_EQ(dialogue.source.request_new_game(16).players.size(), 3u);
    EXPECT_EQ(dialogue.source.request_move("P3"), 0.0f);
    EXPECT_EQ(dialogue.source.request_cards(Game::hole).size(), 2u);
    EXPECT_EQ(dialogue.screen.prompts.size(), 3u);
}

TEST(ConsoleSequencerDeathTest, EndOfInputEndsTheRunWithStatusZero)
{
    // At the first question, after refused answers, and on a stream that failed.
    EXPECT_EXIT(
        {
            Dialogue dialogue("");
            dialogue.source.request_new_game(16);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            Dialogue dialogue("x\ny");
            dialogue.source.request_move("P1");
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            Dialogue dialogue("3\n");
            dialogue.input.setstate(std::ios::badbit);
            dialogue.source.request_new_game(16);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(ConsoleSequencer, LastLineWithoutLineEndIsStillAnAnswer)
{
    Dialogue dialogue("4");
    EXPECT_EQ(dialogue.source.request_new_game(16).players.size(), 4u);
}
