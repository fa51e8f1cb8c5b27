#ifndef CORVALD_APP_HANDLOOP_H
#define CORVALD_APP_HANDLOOP_H

#include <functional>

#include "texas_holdem/AnswerLog.h"
#include "texas_holdem/ConsoleSequencer.h"
#include "texas_holdem/Sequencer.h"

namespace poker::texas_holdem {

// The run of hands one input source plays, one after another: each is announced as
// "Hand #" and its number at column 0 of row 1 (overwriting the previous hand's line),
// played by a fresh Corvald and ends with that driver's destruction, which leaves an
// empty table for the next one. The live program never stops it; a replay stops it when
// its input is used up.
class HandLoop {
public:
    HandLoop() = delete;

    // Asked before every hand with the number of hands played so far; false ends the run.
    using KeepGoing = std::function<bool(unsigned hands_played)>;

    // Plays hands against `sequencer` while `keep_going` says so, for ever when it is
    // empty. Returns the number of hands played.
    static unsigned run(Sequencer& sequencer, const KeepGoing& keep_going = KeepGoing());

    // The live program's run: hands against the console source with an AnswerLog in
    // between, so that every answer of a hand can be taken back; `with_panel` shows the
    // decision panel beside the table.
    static unsigned run_live(ConsoleSequencer& source, bool with_panel,
                             const KeepGoing& keep_going = KeepGoing());

    // A KeepGoing that allows `count` hands.
    static KeepGoing hands(unsigned count);

    // Announces and plays one hand; `hand_number` counts from 1.
    static void play_hand(Sequencer& sequencer, unsigned hand_number);

    // One hand of run_live, after its hand line: played on a cleared table area, and
    // whenever an answer is taken back, cleared again and played again by a fresh
    // driver from the first of the answers kept.
    static void play_live_hand(AnswerLog& answers, bool with_panel);

    // One pass of a live hand: the table area cleared and a fresh driver playing the hand
    // from the first kept answer. True when the hand is over; false when an answer was
    // taken back (and dropped from `answers`), for the next pass to play again.
    static bool play_pass(AnswerLog& answers, bool with_panel);

    // "Hand #" and the number at column 0 of row 1, no line break.
    static void show_hand_line(unsigned hand_number);
};

} // namespace poker::texas_holdem

#endif
