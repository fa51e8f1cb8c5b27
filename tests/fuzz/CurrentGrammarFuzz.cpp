// libFuzzer target over the current hand-history grammar: any bytes read hand by hand,
// every hand read cleanly played through the hand driver and the table view. Each input
// must end with the end of the text, hand faults reported as HandHistoryError and passed
// over as --keep-going does; a crash, a hang or a sanitizer report is a finding.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "app/Corvald.h"
#include "console/ScopedConsole.h"
#include "texas_holdem/pokerstars/HandHistoryError.h"
#include "texas_holdem/pokerstars/HandReader.h"
#include "texas_holdem/pokerstars/RecordSequencer.h"

namespace {

// One simulated hand per event instead of the table's 10000: the simulation is not under
// test here.
constexpr unsigned fuzz_simulated_hands = 1;
// A reader that throws without moving on would loop; no input holds more faults than this.
constexpr int max_faults = 100000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace poker::texas_holdem::pokerstars;
    const console::ScopedConsole screen;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    HandReader reader(in);
    HandRecord record;
    for (int faults = 0; faults < max_faults;) {
        try {
            if (!reader.next(record))
                return 0;
            if (record.cancelled)
                continue;
            RecordSequencer source(record);
            poker::texas_holdem::Corvald driver;
            driver.no_simulated_hands = fuzz_simulated_hands;
            driver.go(source);
        } catch (const HandHistoryError&) {
            ++faults;
        }
    }
    __builtin_trap();
}
