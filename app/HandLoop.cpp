#include "app/HandLoop.h"

#include <iostream>

#include "app/Corvald.h"
#include "console/Cursor.h"
#include "texas_holdem/TakeBack.h"

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

unsigned HandLoop::run_live(ConsoleSequencer& source, bool with_panel, const KeepGoing& keep_going)
{
    AnswerLog answers(source);
    unsigned played = 0;
    while (!keep_going || keep_going(played)) {
        show_hand_line(++played);
        play_live_hand(answers, with_panel);
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

void HandLoop::play_live_hand(AnswerLog& answers, bool with_panel)
{
    answers.start_hand();
    while (!play_pass(answers, with_panel)) {
    }
}

// Each pass starts from the same cleared cells and draws the same events as the pass
// before it up to the taken-back answer, so the table shows what it showed then. The
// driver of a given-up pass blanks its table on the way out; the next pass clears it.
bool HandLoop::play_pass(AnswerLog& answers, bool with_panel)
{
    Corvald::clear_table_area(with_panel);
    Corvald driver;
    driver.show_panel = with_panel;
    try {
        driver.go(answers);
        return true;
    } catch (const TakeBack&) {
        answers.take_back();
        return false;
    }
}

void HandLoop::show_hand_line(unsigned hand_number)
{
    console::Cursor::position(hand_line_x, hand_line_y);
    std::cout << "Hand #" << hand_number;
}

} // namespace poker::texas_holdem
