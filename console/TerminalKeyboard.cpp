#include "console/TerminalKeyboard.h"

#include <cerrno>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "console/TerminalGuard.h"

namespace console {

namespace {
constexpr const char* controlling_terminal = "/dev/tty";
}

bool TerminalKeyboard::wait_for(char key)
{
    const int fd = ::open(controlling_terminal, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    termios cooked{};
    if (tcgetattr(fd, &cooked) != 0) {
        ::close(fd);
        return false;
    }

    // Key by key, no echo; ISIG stays so that Ctrl-C still ends the program.
    termios raw = cooked;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    TerminalGuard::hold_keyboard(fd, cooked, raw);
    bool typed = tcsetattr(fd, TCSAFLUSH, &raw) == 0;

    while (typed) {
        char ch = 0;
        const ssize_t count = ::read(fd, &ch, 1);
        if (count == 1 && ch == key)
            break;
        // 0 bytes with VMIN 1: the terminal hung up.
        if (count == 0 || (count < 0 && errno != EINTR))
            typed = false;
    }

    tcsetattr(fd, TCSANOW, &cooked);
    TerminalGuard::release_keyboard();
    ::close(fd);
    return typed;
}

} // namespace console
