#include "console/Surface.h"

#include <algorithm>
#include <cstring>

namespace console {

namespace {

// How many characters of `text` come before the first line break.
std::size_t stretch(const char* text, std::size_t length)
{
    if (const void* found = std::memchr(text, '\n', length))
        length = static_cast<std::size_t>(static_cast<const char*>(found) - text);
    if (const void* found = std::memchr(text, '\r', length))
        length = static_cast<std::size_t>(static_cast<const char*>(found) - text);
    return length;
}

} // namespace

Surface::Surface(int width, int height) : width_(std::max(width, 1)), height_(std::max(height, 1))
{
    const std::size_t cells = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    const Cell blank;
    chars_.assign(cells, blank.ch);
    attributes_.assign(cells, blank.attribute);
    plain_.assign(cells, blank.plain);
}

std::size_t Surface::run(int x, int y, unsigned& length) const
{
    const long first = index(x, y);
    if (first < 0) {
        length = 0;
        return 0;
    }
    const auto room = chars_.size() - static_cast<std::size_t>(first);
    if (length > room)
        length = static_cast<unsigned>(room);
    return static_cast<std::size_t>(first);
}

std::string Surface::text(int x, int y, int length) const
{
    std::string result;
    for (int i = 0; i < length && x + i < width_; ++i)
        result += cell(x + i, y).ch;
    return result;
}

void Surface::set_cursor(int x, int y)
{
    cursor_x_ = x;
    cursor_y_ = y;
}

void Surface::fill_attribute(int x, int y, unsigned short attribute, unsigned length)
{
    const std::size_t first = run(x, y, length);
    std::fill_n(attributes_.begin() + first, length, attribute);
    std::fill_n(plain_.begin() + first, length, 0);
}

void Surface::fill_character(int x, int y, char ch, unsigned length)
{
    const std::size_t first = run(x, y, length);
    std::fill_n(chars_.begin() + first, length, ch);
}

void Surface::write_characters(int x, int y, const char* text, unsigned length)
{
    const std::size_t first = run(x, y, length);
    std::copy_n(text, length, chars_.begin() + first);
}

// Stream output as a console shows it: each character lands at the cursor in the default
// attribute and the cursor moves on, wrapping at the right edge. Past the last row the
// text is dropped (the surface never scrolls; the table must stay where it is). Text is
// taken a row's stretch at a time, so the status rows' long lines stay cheap.
void Surface::write_text(const char* text, std::size_t length)
{
    std::size_t i = 0;
    while (i < length) {
        const char ch = text[i];
        if (ch == '\n' || ch == '\r') {
            cursor_x_ = 0;
            cursor_y_ += ch == '\n';
            ++i;
            continue;
        }
        if (cursor_x_ < 0) {
            // A cursor left of the surface: nothing lands until it reaches column 0.
            ++cursor_x_;
            ++i;
            continue;
        }
        if (cursor_x_ >= width_) {
            cursor_x_ = 0;
            ++cursor_y_;
        }
        // The stretch up to the row's end or the next line break; a row above or below
        // the surface only moves the cursor.
        const std::size_t end = std::min(length, i + static_cast<std::size_t>(width_ - cursor_x_));
        const std::size_t count = stretch(text + i, end - i);
        const std::size_t stop = i + count;
        if (cursor_y_ >= 0 && cursor_y_ < height_) {
            const auto first = static_cast<std::size_t>(cursor_y_) * width_ + cursor_x_;
            std::copy_n(text + i, count, chars_.begin() + first);
            std::fill_n(attributes_.begin() + first, count, colour::white);
            std::fill_n(plain_.begin() + first, count, 1);
        }
        cursor_x_ += static_cast<int>(count);
        i = stop;
    }
}

void Surface::resize(int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == width_ && height == height_)
        return;
    Surface resized(width, height);
    for (int y = 0; y < std::min(height, height_); ++y)
        for (int x = 0; x < std::min(width, width_); ++x) {
            const auto from = static_cast<std::size_t>(y) * width_ + x;
            const auto to = static_cast<std::size_t>(y) * width + x;
            resized.chars_[to] = chars_[from];
            resized.attributes_[to] = attributes_[from];
            resized.plain_[to] = plain_[from];
        }
    chars_.swap(resized.chars_);
    attributes_.swap(resized.attributes_);
    plain_.swap(resized.plain_);
    width_ = width;
    height_ = height;
}

} // namespace console
