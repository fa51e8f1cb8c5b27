#include "texas_holdem/pokerstars/HandReader.h"

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <boost/algorithm/string.hpp>
#include <gtest/gtest.h>

#include "support/ReplayHarness.h"

using namespace poker::texas_holdem::pokerstars;

namespace {

// Whether some hand of `text` stops with a fault.
bool has_fault(const std::string& text)
{
    std::istringstream in(text);
    HandReader reader(in);
    HandRecord record;
    return !corvald_test::hand_history_fault([&] {
                while (reader.next(record))
                    continue;
            }).empty();
}

} // namespace

// A hand whose money was altered by one cent (or chip) anywhere must never read
// cleanly. Every amount of the betting, the pot and the summary of every hand of the
// files that write "Uncalled bet" lines is raised by one unit in turn.
TEST(CurrentFiles, NoAmountAlteredByOneCentPasses)
{
    const std::string folder = corvald_test::shared_hand_histories() + "/current";
    CORVALD_SKIP_WITHOUT(folder);
    // An amount after a space, a currency sign or "(": "$0.05", "€6", "(1500".
    const std::regex amount_pattern{"([ $(]|\\xac|\\xa3)([0-9]+)(\\.[0-9]{1,2})?(?=$|[ ).|])"};
    std::size_t mutations = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string file = entry.path().string();
        const std::string text = entry.path().extension() == ".txt" ? corvald_test::read_text_file(file) : "";
        if (text.find("Uncalled bet") == std::string::npos || text.size() > 100000
            || file.find("AnteTable") != std::string::npos || file.find("WithSittingOut") != std::string::npos)
            continue;
        std::vector<std::string> lines;
        boost::algorithm::split(lines, text, boost::is_any_of("\n"));
        bool betting = false;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            if (line.find("*** HOLE CARDS ***") != std::string::npos)
                betting = true;
            if (line.rfind("PokerStars", 0) == 0 || line.find("PokerStars ") != std::string::npos)
                betting = false;
            // The amounts no total covers: stacks, prizes, cash-outs, chat.
            if (!betting || line.find(" said, \"") != std::string::npos || line.find("tournament") != std::string::npos
                || line.find("bounty") != std::string::npos || line.find("cashed out") != std::string::npos)
                continue;
            for (std::sregex_iterator match(line.begin(), line.end(), amount_pattern), end; match != end; ++match) {
                const bool cents = (*match)[3].matched || (*match)[1].str() != " ";
                std::string altered = (*match)[2].str() + (*match)[3].str();
                long long units = std::stoll((*match)[2].str()) * (cents ? 100 : 1);
                if ((*match)[3].matched)
                    units += std::stoll(((*match)[3].str() + "0").substr(1, 2));
                ++units;
                std::ostringstream replacement;
                replacement << (*match)[1].str();
                if (cents)
                    replacement << units / 100 << '.' << units % 100 / 10 << units % 10;
                else
                    replacement << units;
                std::vector<std::string> copy = lines;
                copy[i] = line.substr(0, static_cast<std::size_t>(match->position())) + replacement.str()
                          + line.substr(static_cast<std::size_t>(match->position() + match->length()));
                EXPECT_TRUE(has_fault(boost::algorithm::join(copy, "\n"))) << file << ":" << i + 1 << ": " << copy[i];
                ++mutations;
            }
        }
    }
    EXPECT_GT(mutations, 1000u);
}
