#ifndef CORVALD_CONSOLE_TERMINALKEYBOARD_H
#define CORVALD_CONSOLE_TERMINALKEYBOARD_H

namespace console {

// The keyboard of the process's controlling terminal (/dev/tty), read key by key. Standard
// input may be a file or a pipe (a replayed hand history); the user's keys still arrive here.
class TerminalKeyboard {
public:
    // Blocks until `key` is typed, discarding every other key and whatever was typed
    // before the call (the user answers what is on the screen now). The terminal is in
    // raw mode meanwhile, without echo; Ctrl-C still interrupts. The settings come back
    // afterwards, and on any way out of the process (TerminalGuard). False when the process
    // has no controlling terminal or it cannot be read: then nothing was waited for.
    static bool wait_for(char key);
};

} // namespace console

#endif
