#ifndef CORVALD_TEXAS_HOLDEM_ANSWERLOG_H
#define CORVALD_TEXAS_HOLDEM_ANSWERLOG_H

#include <cstddef>
#include <string>
#include <vector>

#include "poker/Card.h"
#include "texas_holdem/ConsoleSequencer.h"
#include "texas_holdem/Game.h"
#include "texas_holdem/GameHistory.h"
#include "texas_holdem/Sequencer.h"

namespace poker::texas_holdem {

// The answers typed in the hand being played, between the console source and the hand
// driver, so that an answer can be taken back: the console source throws TakeBack, the
// hand loop calls take_back and plays the hand again on a fresh driver, and this log
// hands the driver the answers kept, in order and without asking, before the console
// source asks again from the taken-back question on.
//
// Only typed answers are kept: the blinds and moves an autobet hand answers by itself
// are asked of the console source again, which answers them again without reading.
// While attached, the log decides for the console source whether `u` can be answered.
class AnswerLog : public Sequencer {
public:
    explicit AnswerLog(ConsoleSequencer& source);
    ~AnswerLog();
    AnswerLog(const AnswerLog&) = delete;
    AnswerLog& operator=(const AnswerLog&) = delete;

    // Forgets the previous hand's answers: a new hand's first question has nothing to
    // take back, and no `u` reaches an earlier hand.
    void start_hand();
    // True when the hand has a typed answer.
    bool can_take_back() const;
    // Drops the last typed answer and rewinds, so that the next pass of the hand is
    // served the remaining answers from the first. Needs can_take_back().
    void take_back();

    NewGame request_new_game(unsigned max_players) override;
    float request_blind(std::string player) override;
    std::vector<Card> request_cards(Game::Round round) override;
    float request_move(std::string player) override;
    void notify_end_game(const GameHistory& history) override;

private:
    enum class Kind { new_game, blind, cards, move };
    // One typed answer; only the member of its kind is used.
    struct Answer {
        Kind kind;
        NewGame new_game;
        float amount = 0;
        std::vector<Card> cards;
    };

    // The kept answer for the next question of `kind`, or nullptr when the pass has
    // used them all and the console source must ask.
    const Answer* kept(Kind kind);
    void keep(Answer answer);

    ConsoleSequencer& source_;
    std::vector<Answer> answers_;
    // How many answers this pass of the hand has been served.
    std::size_t served_ = 0;
};

} // namespace poker::texas_holdem

#endif
