#include "support/CardText.h"

#include <cctype>
#include <cstring>

#include <gtest/gtest.h>

namespace poker::test {

namespace {

constexpr const char* value_letters = "23456789tjqka";
constexpr const char* suit_letters = "shcd";

int position_in(const char* letters, char c)
{
    const char* found = std::strchr(letters, std::tolower(static_cast<unsigned char>(c)));
    return found != nullptr && c != '\0' ? static_cast<int>(found - letters) : -1;
}

} // namespace

std::vector<Card> cards(const std::string& text)
{
    std::string letters;
    for (char c : text) {
        if (c != ' ')
            letters += c;
    }
    std::vector<Card> result;
    if (letters.size() % 2 != 0) {
        ADD_FAILURE() << "odd card text \"" << text << "\"";
        return result;
    }
    for (std::size_t i = 0; i < letters.size(); i += 2) {
        const int value = position_in(value_letters, letters[i]);
        const int suit = position_in(suit_letters, letters[i + 1]);
        if (value < 0 || suit < 0) {
            ADD_FAILURE() << "bad card \"" << letters.substr(i, 2) << "\" in \"" << text << "\"";
            result.emplace_back();
            continue;
        }
        result.emplace_back(value, static_cast<Card::Suit>(suit));
    }
    return result;
}

Card card(const std::string& text)
{
    const std::vector<Card> parsed = cards(text);
    if (parsed.size() != 1) {
        ADD_FAILURE() << "\"" << text << "\" is not one card";
        return Card();
    }
    return parsed.front();
}

} // namespace poker::test
