// libFuzzer target over the current hand-history grammar and its pot ledger: any bytes as
// a file of hands, read hand by hand as the statistics and the replay read them, and
// every hand read cleanly played through the hand driver and its table view. Every input
// must end at the end of the text, each faulty hand with a HandHistoryError; a crash, a
// hang or a sanitizer report is a finding.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "app/Corvald.h"
#include "support/ScopedConsole.h"
#include "texas_holdem/pokerstars/HandHistoryError.h"
#include "texas_holdem/pokerstars/HandReader.h"
#include "texas_holdem/pokerstars/HandRecord.h"
#include "texas_holdem/pokerstars/RecordSequencer.h"

// One simulated hand per event instead of the table's 10000: the simulation is not under
// test here, and the driver still runs it and draws the whole view.
constexpr unsigned fuzz_simulated_hands = 1;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace poker::texas_holdem::pokerstars;
    const console::ScopedConsole screen;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    HandReader reader(in);
    HandRecord record;
    for (;;) {
        try {
            if (!reader.next(record))
                break;
            if (record.cancelled)
                continue;
            RecordSequencer source(record);
            poker::texas_holdem::Corvald driver;
            driver.no_simulated_hands = fuzz_simulated_hands;
            driver.go(source);
        } catch (const HandHistoryError&) {
            // Only the faulty hand ends; the reader goes on at the next header.
        }
    }
    return 0;
}
