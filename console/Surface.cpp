#include "console/Surface.h"

#include <algorithm>

namespace console {

namespace {
const Cell blank_cell{};
}

Surface::Surface(int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)),
      cells_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_))
{
}

long Surface::index(int x, int y, unsigned offset) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return -1;
    const long position = static_cast<long>(y) * width_ + x + static_cast<long>(offset);
    return position < static_cast<long>(cells_.size()) ? position : -1;
}

Cell* Surface::run(int x, int y, unsigned& length)
{
    const long first = index(x, y, 0);
    if (first < 0) {
        length = 0;
        return nullptr;
    }
    const auto room = cells_.size() - static_cast<std::size_t>(first);
    if (length > room)
        length = static_cast<unsigned>(room);
    return cells_.data() + first;
}

const Cell& Surface::cell(int x, int y) const
{
    const long i = index(x, y, 0);
    return i < 0 ? blank_cell : cells_[static_cast<std::size_t>(i)];
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
    Cell* cells = run(x, y, length);
    for (unsigned i = 0; i < length; ++i) {
        cells[i].attribute = attribute;
        cells[i].plain = false;
    }
    ++revision_;
}

void Surface::fill_character(int x, int y, char ch, unsigned length)
{
    Cell* cells = run(x, y, length);
    for (unsigned i = 0; i < length; ++i)
        cells[i].ch = ch;
    ++revision_;
}

void Surface::write_characters(int x, int y, const char* text, unsigned length)
{
    Cell* cells = run(x, y, length);
    for (unsigned i = 0; i < length; ++i)
        cells[i].ch = text[i];
    ++revision_;
}

// Stream output as a console shows it: each character lands at the cursor in the default
// attribute and the cursor moves on, wrapping at the right edge. Past the last row the
// text is dropped (the surface never scrolls; the table must stay where it is). Text is
// taken a row's stretch at a time, so the status rows' long runs of blanks stay cheap.
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
        // Copy up to the row's end or the next line break in one pass; a row above or
        // below the surface only moves the cursor.
        const bool visible = cursor_y_ >= 0 && cursor_y_ < height_;
        Cell* cell = visible ? cells_.data() + static_cast<std::size_t>(cursor_y_) * width_ + cursor_x_
                             : nullptr;
        for (; i < length && cursor_x_ < width_; ++i, ++cursor_x_) {
            const char c = text[i];
            if (c == '\n' || c == '\r')
                break;
            if (cell) {
                cell->ch = c;
                cell->attribute = colour::white;
                cell->plain = true;
                ++cell;
            }
        }
    }
    ++revision_;
}

void Surface::resize(int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (width == width_ && height == height_)
        return;
    std::vector<Cell> cells(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < std::min(height, height_); ++y)
        for (int x = 0; x < std::min(width, width_); ++x)
            cells[static_cast<std::size_t>(y) * width + x] = cell(x, y);
    cells_.swap(cells);
    width_ = width;
    height_ = height;
    ++revision_;
}

} // namespace console
