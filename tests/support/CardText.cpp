#include "support/CardText.h"

#include <cctype>
#include <string_view>

#include <gtest/gtest.h>

namespace poker::test {

std::vector<Card> cards(const std::string& text)
{
    constexpr std::string_view values = "23456789tjqka";
    constexpr std::string_view suits = "shcd";
    std::string letters;
    for (char c : text) {
        if (c != ' ')
            letters += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    std::vector<Card> result;
    for (std::size_t i = 0; i < letters.size(); i += 2) {
        const std::size_t value = values.find(letters[i]);
        const std::size_t suit = i + 1 < letters.size() ? suits.find(letters[i + 1]) : suits.npos;
        if (value == values.npos || suit == suits.npos) {
            ADD_FAILURE() << "bad card text \"" << text << "\"";
            result.emplace_back();
        } else {
            result.emplace_back(static_cast<int>(value), static_cast<Card::Suit>(suit));
        }
    }
    return result;
}

} // namespace poker::test
