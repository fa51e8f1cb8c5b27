#include "texas_holdem/pokerstars/HandReader.h"

#include <boost/regex.hpp>

#include "texas_holdem/pokerstars/HandHistoryError.h"

namespace poker::texas_holdem::pokerstars {

namespace {

constexpr std::string_view byte_order_mark = "\xef\xbb\xbf";
constexpr std::string_view banner_start = "*********** # ";

bool is_blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// "*********** # 12 **************"
bool is_banner(const std::string& text)
{
    return text.compare(0, banner_start.size(), banner_start) == 0 && text.back() == '*';
}

} // namespace

HandReader::HandReader(std::istream& in, std::string source)
    : stream(in), source_name(std::move(source))
{
}

bool HandReader::is_older_header(const std::string& header)
{
    // The game line of the 2006-2008 text: whole-dollar blinds, " - " between date and
    // time, "(ET)". Everything else this reader takes is the current form.
    static const boost::regex older{
        "PokerStars Game #([0-9]+):  Hold'em( No | )?Limit [(][$]([0-9]+)/[$]([0-9]+)[)] - "
        "([0-9]{4}/[0-9]{2}/[0-9]{2}) - ([0-9]{2}:[0-9]{2}:[0-9]{2}) [(]ET[)]"};
    return header.size() > 4 && header.compare(header.size() - 4, 4, "(ET)") == 0
           && boost::regex_match(header, older);
}

bool HandReader::fetch()
{
    while (std::getline(stream, line)) {
        ++line_number;
        if (line_number == 1 && line.compare(0, byte_order_mark.size(), byte_order_mark) == 0)
            line.erase(0, byte_order_mark.size());
        std::size_t end = line.size();
        while (end > 0 && is_blank(line[end - 1]))
            --end;
        std::size_t start = 0;
        while (start < end && is_blank(line[start]))
            ++start;
        if (start == end)
            continue;
        line.resize(end);
        line.erase(0, start);
        if (!is_banner(line))
            return true;
    }
    return false;
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
        older_lines.push_back(line);
        while (fetch()) {
            if (CurrentGrammar::is_header(line)) {
                header_pending = true;
                break;
            }
            older_lines.push_back(line);
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
