#include "texas_holdem/AnswerLog.h"

#include <cassert>
#include <utility>

namespace poker::texas_holdem {

AnswerLog::AnswerLog(ConsoleSequencer& source) : source_(source)
{
    source_.can_take_back = [this] { return can_take_back(); };
}

AnswerLog::~AnswerLog()
{
    source_.can_take_back = nullptr;
}

void AnswerLog::start_hand()
{
    answers_.clear();
    served_ = 0;
}

bool AnswerLog::can_take_back() const
{
    return !answers_.empty();
}

void AnswerLog::take_back()
{
    assert(can_take_back());
    answers_.pop_back();
    served_ = 0;
    // A card of the answer taken back may be typed again.
    std::vector<Card> dealt;
    for (const Answer& answer : answers_)
        dealt.insert(dealt.end(), answer.cards.begin(), answer.cards.end());
    source_.set_dealt(std::move(dealt));
}

// A new pass of the hand asks the same questions in the same order as the pass that
// typed the answers, since each question follows from the answers before it; a kind
// that does not match would be a driver that plays differently from one pass to the next.
const AnswerLog::Answer* AnswerLog::kept([[maybe_unused]] Kind kind)
{
    if (served_ == answers_.size())
        return nullptr;
    const Answer& answer = answers_[served_++];
    assert(answer.kind == kind);
    return &answer;
}

void AnswerLog::keep(Answer answer)
{
    answers_.push_back(std::move(answer));
    served_ = answers_.size();
}

Sequencer::NewGame AnswerLog::request_new_game(unsigned max_players)
{
    if (const Answer* answer = kept(Kind::new_game))
        return answer->new_game;
    Answer answer{Kind::new_game, source_.request_new_game(max_players), 0, {}};
    keep(answer);
    return answer.new_game;
}

// The console source's autobet flag is that of the kept player count: taking that answer
// back empties the log, and the next pass asks the count (and sets the flag) again.
float AnswerLog::request_blind(std::string player)
{
    if (source_.autobet)
        return source_.request_blind(std::move(player));
    if (const Answer* answer = kept(Kind::blind))
        return answer->amount;
    const float amount = source_.request_blind(std::move(player));
    keep({Kind::blind, {}, amount, {}});
    return amount;
}

std::vector<Card> AnswerLog::request_cards(Game::Round round)
{
    if (const Answer* answer = kept(Kind::cards))
        return answer->cards;
    std::vector<Card> cards = source_.request_cards(round);
    keep({Kind::cards, {}, 0, cards});
    return cards;
}

float AnswerLog::request_move(std::string player)
{
    if (source_.autobet)
        return source_.request_move(std::move(player));
    if (const Answer* answer = kept(Kind::move))
        return answer->amount;
    const float amount = source_.request_move(std::move(player));
    keep({Kind::move, {}, amount, {}});
    return amount;
}

void AnswerLog::notify_end_game(const GameHistory& history)
{
    source_.notify_end_game(history);
}

} // namespace poker::texas_holdem
