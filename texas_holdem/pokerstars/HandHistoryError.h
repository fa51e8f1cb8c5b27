#ifndef CORVALD_TEXAS_HOLDEM_POKERSTARS_HANDHISTORYERROR_H
#define CORVALD_TEXAS_HOLDEM_POKERSTARS_HANDHISTORYERROR_H

#include <cstdint>
#include <stdexcept>
#include <string>

namespace poker::texas_holdem::pokerstars {

// A hand-history input that cannot be read: the message says what was wrong or expected,
// `line` is the number of the line where the reading stopped (1-based; 0 when the fault
// is not tied to a line, such as an input that cannot be opened).
class HandHistoryError : public std::runtime_error {
public:
    HandHistoryError(const std::string& message, std::uint32_t line)
        : std::runtime_error(message), line(line)
    {
    }

    std::uint32_t line;
};

} // namespace poker::texas_holdem::pokerstars

#endif
