#ifndef CORVALD_TESTS_SUPPORT_CARD_TEXT_H
#define CORVALD_TESTS_SUPPORT_CARD_TEXT_H

#include <string>
#include <vector>

#include "poker/Card.h"

namespace poker::test {

// Cards in the typed notation or as the files write them, blanks allowed: "ahkh" and
// "Ah Kh" are the ace and king of hearts. A malformed text fails the running test.
std::vector<Card> cards(const std::string& text);

} // namespace poker::test

#endif
