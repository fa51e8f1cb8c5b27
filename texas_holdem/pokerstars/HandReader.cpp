#include "texas_holdem/pokerstars/HandReader.h"

#include "texas_holdem/pokerstars/HandHeader.h"
#include "texas_holdem/pokerstars/HandHistoryError.h"

namespace poker::texas_holdem::pokerstars {

namespace {

constexpr std::string_view banner_start = "*********** # ";

// Empty lines and the "*********** # 12 **************" banners of requested histories
// stand between hands and say nothing about them.
bool between_hands(std::string_view text)
{
    return text.empty() || (text.substr(0, banner_start.size()) == banner_start && text.back() == '*');
}

} // namespace

HandReader::HandReader(std::istream& in, std::string source)
    : lines(in, between_hands), source_name(std::move(source))
{
}

bool HandReader::is_older_header(std::string_view header)
{
    return HandHeader::is_older(header);
}

bool HandReader::fetch()
{
    if (!lines.peek(line))
        return false;
    lines.consume();
    line_number = lines.line_number();
    return true;
}

HandReader::Found HandReader::read(HandRecord& record)
{
    // Find the header.
    while (!header_pending) {
        if (!fetch())
            return Found::end;
        if (CurrentGrammar::is_header(line)) {
            header_pending = true;
        } else if (!resync && !CurrentGrammar::is_status_line(line)) {
            resync = true;
            throw HandHistoryError("Malformed game header1", line_number);
        }
    }
    header_pending = false;
    resync = true;

    if (is_older_header(line)) {
        older_first_line = line_number;
        older_lines.clear();
        older_lines.emplace_back(line);
        while (fetch()) {
            if (CurrentGrammar::is_header(line)) {
                header_pending = true;
                break;
            }
            older_lines.emplace_back(line);
        }
        resync = false;
        return Found::older_hand;
    }

    record.source = source_name;
    grammar.begin(line, line_number, record);
    while (fetch()) {
        if (CurrentGrammar::is_header(line)) {
            header_pending = true;
            break;
        }
        grammar.read(line, line_number);
    }
    grammar.end();
    resync = false;
    return Found::current_hand;
}

bool HandReader::next(HandRecord& record)
{
    for (;;) {
        switch (read(record)) {
        case Found::current_hand: return true;
        case Found::end: return false;
        case Found::older_hand: ++older_count; break;
        }
    }
}

} // namespace poker::texas_holdem::pokerstars
