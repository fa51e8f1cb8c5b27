#include "texas_holdem/pokerstars/StatusRows.h"

#include <algorithm>
#include <string>

#include "console/Console.h"

namespace poker::texas_holdem::pokerstars {

namespace {

// Column 0 belongs to nobody: it is blanked with the row (the hand loop's "Hand #" text
// would otherwise leave its first letter there) but never written.
constexpr int status_column = 1;
constexpr std::size_t row_room = console::screen_width - status_column;

} // namespace

void StatusRows::show_request(std::string_view what, std::string_view subject)
{
    status = "Request: ";
    status += what;
    status += subject;
    write(request_row);
}

void StatusRows::show_found(std::uint32_t number, std::string_view line)
{
    status = "Found[";
    status += std::to_string(number);
    status += "] ";
    // Only what fits is copied: a line may be thousands of characters long.
    status.append(line.substr(0, row_room));
    write(found_row);
}

void StatusRows::show_error(std::string_view message)
{
    status = "Error:   ";
    status += message;
    write(error_row);
}

void StatusRows::show(int row, std::string_view text)
{
    status = text;
    write(row);
}

// The blanks and the text go into the console's cells in one call each rather than
// through the stream character by character: the status rows carry the default colours
// throughout a replay, so the cells end up the same.
void StatusRows::clear(int row)
{
    console::Console& console = console::Console::current();
    console.fill_character(0, row, ' ', console::screen_width);
    console.set_cursor(status_column, row);
}

void StatusRows::write(int row)
{
    clear(row);
    console::Console::current().write_text(status.data(), std::min(status.size(), row_room));
}

} // namespace poker::texas_holdem::pokerstars
