#include "app/HandLoop.h"

#include <iostream>

#include "app/Corvald.h"
#include "console/Cursor.h"

namespace poker::texas_holdem {

namespace {
constexpr int hand_line_x = 0;
constexpr int hand_line_y = 1;
} // namespace

unsigned HandLoop::run(Sequencer& sequencer, const KeepGoing& keep_going)
{
    unsigned played = 0;
    while (!keep_going || keep_going(played)) {
        play_hand(sequencer, played + 1);
        ++played;
    }
    return played;
}

HandLoop::KeepGoing HandLoop::hands(unsigned count)
{
    return [count](unsigned hands_played) { return hands_played < count; };
}

// The driver lives for this one hand only: every hand starts from the same random seed
// and its destructor blanks the table before the next hand is announced.
void HandLoop::play_hand(Sequencer& sequencer, unsigned hand_number)
{
    show_hand_line(hand_number);
    Corvald driver;
    driver.go(sequencer);
}

void HandLoop::show_hand_line(unsigned hand_number)
{
    console::Cursor::position(hand_line_x, hand_line_y);
    std::cout << "Hand #" << hand_number;
}

} // namespace poker::texas_holdem
