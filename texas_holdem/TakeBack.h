#ifndef CORVALD_TEXAS_HOLDEM_TAKEBACK_H
#define CORVALD_TEXAS_HOLDEM_TAKEBACK_H

#include <exception>

namespace poker::texas_holdem {

// The user took back the last answer of the hand. Not a fault: the console source throws
// it from the question where the answer `u` was typed, so that the hand being played is
// given up where it stands and built again from its first answer without the taken-back
// one (AnswerLog, HandLoop::play_live_hand). Only thrown while an AnswerLog is attached,
// and only when the hand has an answer to take back.
class TakeBack : public std::exception {
public:
    const char* what() const noexcept override { return "answer taken back"; }
};

} // namespace poker::texas_holdem

#endif
