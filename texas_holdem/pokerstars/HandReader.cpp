#include "texas_holdem/pokerstars/HandReader.h"

#include "texas_holdem/pokerstars/HandHeader.h"
#include "texas_holdem/pokerstars/HandHistoryError.h"

namespace poker::texas_holdem::pokerstars {

namespace {

constexpr std::string_view banner_start = "*********** # ";

} // namespace

HandReader::HandReader(std::istream& in, std::string source)
    : own_lines(std::in_place, in), lines(*own_lines), source_name(std::move(source))
{
}

HandReader::HandReader(LineReader& shared, std::string source, bool stop_at_older)
    : lines(shared), source_name(std::move(source)), stop_at_older(stop_at_older)
{
}

bool HandReader::is_older_header(std::string_view header)
{
    return HandHeader::is_older(header);
}

// Empty lines and the banners of requested histories stand between hands and say
// nothing about them.
bool HandReader::is_between_hands(std::string_view text)
{
    return text.empty()
           || (text.substr(0, banner_start.size()) == banner_start && text.back() == '*');
}

bool HandReader::peek()
{
    while (lines.peek(line)) {
        if (!is_between_hands(line))
            return true;
        lines.consume();
    }
    return false;
}

HandReader::Found HandReader::read(HandRecord& record)
{
    // Up to the header; after a fault, everything before it is the faulty hand's rest.
    for (;;) {
        if (!peek())
            return Found::end;
        if (CurrentGrammar::is_header(line))
            break;
        consume();
        if (!resync && !CurrentGrammar::is_status_line(line)) {
            resync = true;
            throw HandHistoryError("Malformed game header1", lines.line_number());
        }
    }
    resync = true;

    if (is_older_header(line)) {
        resync = false;
        if (stop_at_older)
            return Found::older_hand;
        older_first_line = lines.line_number();
        older_lines.clear();
        do {
            older_lines.emplace_back(line);
            consume();
        } while (peek() && !CurrentGrammar::is_header(line));
        return Found::older_hand;
    }

    record.source = source_name;
    consume();
    grammar.begin(line, lines.line_number(), record);
    while (peek() && !CurrentGrammar::is_header(line)) {
        consume();
        grammar.read(line, lines.line_number());
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
