// libFuzzer target over the current hand-history grammar and its pot ledger: any bytes as
// a file of hands, read hand by hand as the statistics and the replay read them. Every
// input must end at the end of the text, each faulty hand with a HandHistoryError; a
// crash, a hang or a sanitizer report is a finding.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "texas_holdem/pokerstars/HandHistoryError.h"
#include "texas_holdem/pokerstars/HandReader.h"
#include "texas_holdem/pokerstars/HandRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace poker::texas_holdem::pokerstars;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    HandReader reader(in);
    HandRecord record;
    for (;;) {
        try {
            if (!reader.next(record))
                break;
        } catch (const HandHistoryError&) {
            // Only the faulty hand ends; the reader goes on at the next header.
        }
    }
    return 0;
}
