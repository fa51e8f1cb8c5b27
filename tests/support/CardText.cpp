#include "support/CardText.h"

#include <boost/algorithm/string/erase.hpp>
#include <gtest/gtest.h>

#include "texas_holdem/SequencerHelper.h"

namespace poker::test {

std::vector<Card> cards(const std::string& text)
{
    using poker::texas_holdem::SequencerHelper;
    const std::string letters = boost::algorithm::erase_all_copy(text, " ");
    std::vector<Card> result((letters.size() + 1) / 2);
    for (std::size_t i = 0; i < result.size(); ++i) {
        const char value = letters[2 * i], suit = i * 2 + 1 < letters.size() ? letters[2 * i + 1] : ' ';
        if (!SequencerHelper::parse(value, suit, result[i]) && !SequencerHelper::parse_written(value, suit, result[i]))
            ADD_FAILURE() << "bad card text \"" << text << "\"";
    }
    return result;
}

} // namespace poker::test
