#ifndef CORVALD_TESTS_SUPPORT_SCREEN_SKETCH_H
#define CORVALD_TESTS_SUPPORT_SCREEN_SKETCH_H

namespace console::test {

// Draws a screen like the table view's on the current console, through the same
// primitives (cursor, std::cout, colouring, card drawing): plain and recoloured text,
// the green table with faces and backs of cards, a highlighted chance, a stake to match,
// players, box and accented characters and both bright ranges. Leaves the live cursor at
// the answer line (2, 4). std::cout must be routed into the console.
void draw_screen_sketch();

} // namespace console::test

#endif
