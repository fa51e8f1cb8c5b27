#ifndef CORVALD_TEXAS_HOLDEM_POKERSTARS_STATUSROWS_H
#define CORVALD_TEXAS_HOLDEM_POKERSTARS_STATUSROWS_H

#include <cstdint>
#include <string>
#include <string_view>

namespace poker::texas_holdem::pokerstars {

// The replay's three status rows at the top of the console: what the replay waits for
// (row 1), the line it found with its number (row 2) and the error that stopped it
// (row 3). Each row is blanked over the whole width before it is written, and its text
// starts at column 1 and is cut at the right edge: a row never runs into the next one.
class StatusRows {
public:
    static constexpr int request_row = 1;
    static constexpr int found_row = 2;
    static constexpr int error_row = 3;

    // "Request: " what subject.
    void show_request(std::string_view what, std::string_view subject = {});
    // "Found[" number "] " line.
    void show_found(std::uint32_t number, std::string_view line);
    // "Error:   " message.
    void show_error(std::string_view message);
    // `text` on `row`, from column 1.
    void show(int row, std::string_view text);

    // Blanks `row` over the whole width and leaves the live cursor at its column 1.
    static void clear(int row);

private:
    // Writes `status` on `row`, which clear has just blanked.
    void write(int row);

    // The text of the last row written, kept to reuse its storage.
    std::string status;
};

} // namespace poker::texas_holdem::pokerstars

#endif
