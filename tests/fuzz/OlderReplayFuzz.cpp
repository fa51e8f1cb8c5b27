// libFuzzer target over the replay of the older hand-history text: any bytes as the
// text, played through the live program's hand driver and table view. Every input must end either
// cleanly (text used up after a hand) or through the replay's error path; a crash, a hang
// or a sanitizer report is a finding.
// A fault ends the replay with a HandHistoryError, caught below as the command does.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "app/Corvald.h"
#include "support/ScopedConsole.h"
#include "texas_holdem/pokerstars/HandHistoryError.h"
#include "texas_holdem/pokerstars/ReplaySequencer.h"

// One simulated hand per run instead of the table's 10000: the simulation is not under
// test here, and the driver still runs it, draws its figures and the whole view.
constexpr unsigned fuzz_simulated_hands = 1;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const console::ScopedConsole screen;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    poker::texas_holdem::pokerstars::ReplaySequencer replay(in);

    try {
        while (replay.has_next_hand()) {
            poker::texas_holdem::Corvald driver;
            driver.no_simulated_hands = fuzz_simulated_hands;
            driver.go(replay);
        }
    } catch (const poker::texas_holdem::pokerstars::HandHistoryError&) {
    }
    return 0;
}
