#ifndef CORVALD_TEXAS_HOLDEM_POKERSTARS_HANDREADER_H
#define CORVALD_TEXAS_HOLDEM_POKERSTARS_HANDREADER_H

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "texas_holdem/pokerstars/CurrentGrammar.h"
#include "texas_holdem/pokerstars/HandRecord.h"

namespace poker::texas_holdem::pokerstars {

// Reads a hand-history stream hand by hand. A hand runs from its header line to the line
// before the next header; empty lines, a byte-order mark, CR LF line ends, blanks around
// lines and the "*********** # N **************" banners of requested histories are
// passed over.
//
//     HandReader reader(stream, "hands.txt");
//     HandRecord record;               // reused: its storage serves every hand
//     for (;;) {
//         try {
//             if (!reader.next(record))
//                 break;               // end of input
//             use(record);
//         } catch (const HandHistoryError& fault) {
//             report(fault);           // the next call goes on at the next header
//         }
//     }
//
// next() yields the hands of the current form only and counts the older-form hands it
// passes over (older_hands()). A replay that reads both forms calls read() instead, which
// stops at an older-form hand and hands over its lines (older_hand()).
class HandReader {
public:
    enum class Found { current_hand, older_hand, end };

    // `in` must outlive the reader; `source` names it in the records ("-" for stdin).
    explicit HandReader(std::istream& in, std::string source = "-");

    // The next hand: a current-form hand fills `record`; an older-form hand's lines go to
    // older_hand(). Throws HandHistoryError for a faulty hand or a line between hands
    // that is no header ("Malformed game header1"); the call after that resumes at the
    // next header.
    Found read(HandRecord& record);
    // The next current-form hand; false at the end of the input.
    bool next(HandRecord& record);

    // The older-form hand read() last stopped at: its trimmed lines, header first.
    const std::vector<std::string>& older_hand() const { return older_lines; }
    std::uint32_t older_hand_first_line() const { return older_first_line; }
    // How many older-form hands next() passed over.
    std::uint32_t older_hands() const { return older_count; }

    // True for a header of the 2006-2008 form that the older grammar reads.
    static bool is_older_header(const std::string& line);

private:
    // The next non-empty line, trimmed, into `line`; false at the end of the input.
    bool fetch();

    std::istream& stream;
    std::string source_name;
    std::string line;
    std::uint32_t line_number = 0;
    // `line` holds a header not yet started.
    bool header_pending = false;
    // After a fault: lines up to the next header are passed over.
    bool resync = false;
    CurrentGrammar grammar;
    std::vector<std::string> older_lines;
    std::uint32_t older_first_line = 0;
    std::uint32_t older_count = 0;
};

} // namespace poker::texas_holdem::pokerstars

#endif
