#ifndef CORVALD_TEXAS_HOLDEM_POKERSTARS_HANDREADER_H
#define CORVALD_TEXAS_HOLDEM_POKERSTARS_HANDREADER_H

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "texas_holdem/pokerstars/CurrentGrammar.h"
#include "texas_holdem/pokerstars/HandRecord.h"
#include "texas_holdem/pokerstars/LineReader.h"

namespace poker::texas_holdem::pokerstars {

// Reads a hand-history stream hand by hand. A hand runs from its header line to the line
// before the next header; empty lines, byte-order marks, CR LF line ends, blanks around
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
// passes over (older_hands()). A replay that reads both forms from one LineReader builds
// the reader over it with stop_at_older set: read() then returns Found::older_hand with
// the older hand's header still unread in the line reader, for the older grammar.
class HandReader {
public:
    enum class Found { current_hand, older_hand, end };

    // `in` must outlive the reader; `source` names it in the records ("-" for stdin).
    explicit HandReader(std::istream& in, std::string source = "-");
    // Reads from `shared`, which must outlive the reader. With `stop_at_older`, an
    // older-form hand is left in `shared` (see read()).
    HandReader(LineReader& shared, std::string source, bool stop_at_older);
    HandReader(const HandReader&) = delete;
    HandReader& operator=(const HandReader&) = delete;

    // The next hand. A current-form hand fills `record`. An older-form hand is left
    // unread when stop_at_older was given, else its lines go to older_hand(). Throws
    // HandHistoryError for a faulty hand or for a line where a header belongs
    // ("Malformed game header1"); the call after that goes on at the next header. The next
    // hand's header is never consumed: it stays buffered in the line reader.
    Found read(HandRecord& record);
    // The next current-form hand; false at the end of the input.
    bool next(HandRecord& record);

    // The older-form hand read() last passed over: its trimmed lines, header first.
    const std::vector<std::string>& older_hand() const { return older_lines; }
    std::uint32_t older_hand_first_line() const { return older_first_line; }
    // How many older-form hands next() passed over.
    std::uint32_t older_hands() const { return older_count; }

    // True for a header of the 2006-2008 form that the older grammar reads.
    static bool is_older_header(std::string_view line);
    // True for an empty line or a "*********** # N **************" banner.
    static bool is_between_hands(std::string_view line);

private:
    // Peeks at the next line that is not empty and no banner (those are consumed) into
    // `line`; false at the end of the input.
    bool peek();
    // Consumes the line peek() gave.
    void consume() { lines.consume(); }

    std::optional<LineReader> own_lines;
    LineReader& lines;
    std::string source_name;
    bool stop_at_older = false;
    // Valid until the next peek after a consume.
    std::string_view line;
    // After a fault: lines up to the next header are passed over.
    bool resync = false;
    CurrentGrammar grammar;
    std::vector<std::string> older_lines;
    std::uint32_t older_first_line = 0;
    std::uint32_t older_count = 0;
};

} // namespace poker::texas_holdem::pokerstars

#endif
