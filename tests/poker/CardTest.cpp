#include "poker/Card.h"

#include <string>

#include <gtest/gtest.h>

using poker::Card;

// One shared buffer: a one-character name after "10" must not keep the '0'.
TEST(Card, ValueNamesFromUnknownToAce)
{
    std::string names;
    for (int value = -1; value <= 12; ++value)
        names += std::string(Card::value_name(value)) + ' ';
    EXPECT_EQ(names, "0 2 3 4 5 6 7 8 9 10 J Q K A ");
}
