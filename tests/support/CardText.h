#ifndef CORVALD_TESTS_SUPPORT_CARD_TEXT_H
#define CORVALD_TESTS_SUPPORT_CARD_TEXT_H

#include <string>
#include <vector>

#include "poker/Card.h"

namespace poker::test {

// Cards written as value "23456789tjqka" then suit "shcd", any case, spaces allowed:
// "Ah Kh" is the ace and king of hearts. A malformed text fails the running test.
std::vector<Card> cards(const std::string& text);

} // namespace poker::test

#endif
