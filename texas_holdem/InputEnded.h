#ifndef CORVALD_TEXAS_HOLDEM_INPUTENDED_H
#define CORVALD_TEXAS_HOLDEM_INPUTENDED_H

#include <exception>

namespace poker::texas_holdem {

// Thrown by an input source whose input has no more lines: a question that can never be
// answered would otherwise be asked for ever. Not a fault; the run is simply over, and
// main ends it with status 0.
class InputEnded : public std::exception {
public:
    const char* what() const noexcept override { return "end of input"; }
};

} // namespace poker::texas_holdem

#endif
