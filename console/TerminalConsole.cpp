#include "console/TerminalConsole.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cerrno>
#include <string>
#include <tuple>
#include <utility>

#include <sys/ioctl.h>
#include <unistd.h>

#include "console/TerminalGuard.h"
#include "console/TerminalKeyboard.h"

namespace console {

namespace {

// Alternate screen (xterm 1049: also saves the cursor), cursor hidden until input is
// awaited. The renderer turns line wrap off with its first repaint.
constexpr std::string_view take_over = "\x1b[?1049h\x1b[?25l";
// The reverse, in the order that leaves the user's screen as it was.
constexpr std::string_view hand_back_bytes = "\x1b[0m\x1b[?7h\x1b[?25h\x1b[?1049l";

// The window size of the terminal on `fd`; 0 x 0 when it cannot tell (the renderer then
// assumes the smallest common size).
std::pair<int, int> window_size(int fd)
{
    winsize size{};
    if (::ioctl(fd, TIOCGWINSZ, &size) != 0)
        return {0, 0};
    return {size.ws_col, size.ws_row};
}

// xterm's window operation 8: resize the text area to `rows` x `columns` cells.
std::string window_request(int columns, int rows)
{
    return "\x1b[8;" + std::to_string(rows) + ';' + std::to_string(columns) + 't';
}

} // namespace

TerminalConsole* TerminalConsole::active_ = nullptr;
volatile std::sig_atomic_t TerminalConsole::window_changed_ = 0;
volatile std::sig_atomic_t TerminalConsole::resumed_ = 0;

TerminalConsole::TerminalConsole(int fd, std::chrono::milliseconds frame_interval)
    : fd_(fd), frame_interval_(frame_interval)
{
    assert(active_ == nullptr);
    assert(::isatty(fd));
    std::tie(original_columns_, original_rows_) = window_size(fd);
    renderer_.set_terminal_size(original_columns_, original_rows_);

    TerminalGuard::arm(fd, hand_back_bytes);
    TerminalGuard::set_resume(take_over, &TerminalConsole::on_resume);
    // Started in the background, the program takes the terminal over only once in the
    // foreground: at its first update there.
    TerminalGuard::take_back(false);

    active_ = this;
    window_changed_ = 0;
    resumed_ = 0;
    struct sigaction action {};
    action.sa_handler = &TerminalConsole::on_window_change;
    sigemptyset(&action.sa_mask);
    // Reads of standard input go on after the signal; the handler does the repaint.
    action.sa_flags = SA_RESTART;
    sigaction(SIGWINCH, &action, &previous_window_action_);
}

TerminalConsole::~TerminalConsole()
{
    sigaction(SIGWINCH, &previous_window_action_, nullptr);
    active_ = nullptr;
    TerminalGuard::restore();
    if (&Console::current() == this)
        Console::install(nullptr);
}

void TerminalConsole::set_cursor(int x, int y)
{
    begin_change();
    surface_.set_cursor(x, y);
}

void TerminalConsole::fill_attribute(int x, int y, unsigned short attribute, unsigned length)
{
    begin_change();
    surface_.fill_attribute(x, y, attribute, length);
    end_change();
}

void TerminalConsole::fill_character(int x, int y, char ch, unsigned length)
{
    begin_change();
    surface_.fill_character(x, y, ch, length);
    end_change();
}

void TerminalConsole::write_characters(int x, int y, const char* text, unsigned length)
{
    begin_change();
    surface_.write_characters(x, y, text, length);
    end_change();
}

void TerminalConsole::write_text(const char* text, std::size_t length)
{
    begin_change();
    surface_.write_text(text, length);
    end_change();
}

void TerminalConsole::resize(int columns, int rows)
{
    begin_change();
    surface_.resize(columns, rows);
    const auto [have_columns, have_rows] = window_size(fd_);
    const int want_columns = std::max(have_columns, columns);
    const int want_rows = std::max(have_rows, rows);
    if (TerminalGuard::armed() && (want_columns != have_columns || want_rows != have_rows)) {
        const std::string request = window_request(want_columns, want_rows);
        // Not yet shown, the request goes out with the take-over (the resume bytes).
        if (TerminalGuard::shown() && TerminalGuard::in_foreground())
            write(request.data(), request.size());
        if (original_columns_ > 0 && original_rows_ > 0)
            TerminalGuard::set_restore_bytes(std::string(hand_back_bytes)
                                             + window_request(original_columns_, original_rows_));
        // Back from Ctrl-Z, the window is asked to grow again.
        TerminalGuard::set_resume(std::string(take_over) + request, &TerminalConsole::on_resume);
    }
    end_change();
}

void TerminalConsole::flush()
{
    begin_change();
    update(true);
    // A resize signal that came during the update found the console busy and left only
    // its flag; once idle, later ones repaint by themselves.
    for (;;) {
        std::atomic_signal_fence(std::memory_order_seq_cst);
        idle_ = 1;
        std::atomic_signal_fence(std::memory_order_seq_cst);
        if (!window_changed_)
            break;
        begin_change();
        update(true);
    }
}

bool TerminalConsole::wait_space()
{
    flush();
    return TerminalKeyboard::wait_for(' ');
}

bool TerminalConsole::hand_back()
{
    flush();
    TerminalGuard::restore();
    return true;
}

void TerminalConsole::begin_change()
{
    idle_ = 0;
    std::atomic_signal_fence(std::memory_order_seq_cst);
}

void TerminalConsole::end_change()
{
    const auto now = std::chrono::steady_clock::now();
    if (!dirty_) {
        dirty_ = true;
        dirty_since_ = now;
    }
    if (now - dirty_since_ >= frame_interval_)
        update(false);
}

// Runs on the program's thread, and from the resize handler while the program waits for
// input; allocation-free for the latter (the renderer's buffers are sized by then).
void TerminalConsole::update(bool show_cursor)
{
    dirty_ = false;
    if (!TerminalGuard::armed() || !TerminalGuard::in_foreground())
        return;
    // In the foreground again without a continuation signal to say so (started with `&`
    // and never stopped): the take-over, then everything painted.
    if (!TerminalGuard::shown() && TerminalGuard::take_back(false)) {
        resumed_ = 1;
        window_changed_ = 1;
    }
    if (resumed_) {
        resumed_ = 0;
        renderer_.invalidate();
    }
    if (window_changed_) {
        window_changed_ = 0;
        const auto [columns, rows] = window_size(fd_);
        renderer_.set_terminal_size(columns, rows);
    }
    const std::string_view bytes = renderer_.render(surface_, show_cursor);
    write(bytes.data(), bytes.size());
}

void TerminalConsole::write(const char* bytes, std::size_t length)
{
    // What did not arrive is not on the screen: paint everything next time.
    if (length > 0 && !TerminalGuard::write_all(fd_, bytes, length))
        renderer_.invalidate();
}

// Back from Ctrl-Z, the shell may have drawn anything and the window may have another
// size: everything is painted again, at once while the program waits for input.
void TerminalConsole::on_resume()
{
    resumed_ = 1;
    window_changed_ = 1;
    if (active_ != nullptr && active_->idle_)
        active_->update(true);
}

void TerminalConsole::on_window_change(int)
{
    const int saved_errno = errno;
    window_changed_ = 1;
    if (active_ != nullptr && active_->idle_)
        active_->update(true);
    errno = saved_errno;
}

} // namespace console
