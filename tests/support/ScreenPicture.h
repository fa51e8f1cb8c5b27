#ifndef CORVALD_TESTS_SUPPORT_SCREEN_PICTURE_H
#define CORVALD_TESTS_SUPPORT_SCREEN_PICTURE_H

#include <string>

#include <gtest/gtest.h>

#include "console/Surface.h"

namespace corvald_test {

// A rectangle of the screen, columns `left` to `right` and rows `top` to `bottom`.
struct Region {
    int left = 0, right = 57, top = 0, bottom = 59;
};

// The region as text, a line per row: its characters, "|" and a colour letter per cell.
// Suits show as h d c s and a card's back as a box of / \ - |; other characters outside
// plain ASCII as ~. Colours: W white, R bright red, Y bright yellow, G dark green, C bright
// cyan, B card back, F card face, r red card face, T the table's felt, . invisible, ? other.
std::string picture(const console::Surface& screen, Region region = {});

// Whether the picture of `region` equals the golden picture in tests/<golden>.txt; on a
// mismatch the message holds the actual picture. With CORVALD_WRITE_SCREENS set in the
// environment the file is written from the screen instead, and the check fails so that
// it is read before it is trusted.
::testing::AssertionResult matches_golden(const console::Surface& screen, Region region, const std::string& golden);
// The same for any text: a list of answers or figures, a line each.
::testing::AssertionResult matches_golden(const std::string& actual, const std::string& golden);

} // namespace corvald_test

#endif
