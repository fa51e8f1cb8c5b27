#ifndef CORVALD_CONSOLE_SURFACE_H
#define CORVALD_CONSOLE_SURFACE_H

#include <cstddef>
#include <string>
#include <vector>

#include "console/Colour.h"
#include "console/Console.h"

namespace console {

// One cell of the surface. `plain` marks text that came through the stream and has not
// been recoloured since: the Windows console shows it in its default attribute (white),
// a terminal in its own default colours.
struct Cell {
    char ch = ' ';
    unsigned short attribute = colour::white;
    bool plain = true;

    bool operator==(const Cell& other) const
    {
        return ch == other.ch && attribute == other.attribute && plain == other.plain;
    }
    bool operator!=(const Cell& other) const { return !(*this == other); }
};

// A plain grid of cells with a live text cursor, knowing nothing of terminals.
// Every write is clipped to the grid: what falls outside is dropped. Characters,
// attributes and plain flags are kept in three arrays, so that filling or copying a run
// of cells is a plain fill or copy of memory.
class Surface {
public:
    explicit Surface(int width = screen_width, int height = screen_height);

    int width() const { return width_; }
    int height() const { return height_; }

    // The cell at (x, y); a blank cell for coordinates outside the grid.
    Cell cell(int x, int y) const
    {
        const long i = index(x, y);
        if (i < 0)
            return Cell{};
        const auto at = static_cast<std::size_t>(i);
        return Cell{chars_[at], attributes_[at], plain_[at] != 0};
    }

    // The characters of row y from column x, `length` of them (clipped at the edge).
    std::string text(int x, int y, int length) const;
    std::string row(int y) const { return text(0, y, width_); }

    void set_cursor(int x, int y);
    int cursor_x() const { return cursor_x_; }
    int cursor_y() const { return cursor_y_; }

    // The console operations, with the same running-on past the right edge.
    void fill_attribute(int x, int y, unsigned short attribute, unsigned length);
    void fill_character(int x, int y, char ch, unsigned length);
    void write_characters(int x, int y, const char* text, unsigned length);
    void write_text(const char* text, std::size_t length);

    // Changes the size; cells inside both sizes keep their contents.
    void resize(int width, int height);

private:
    // Index of the cell (x, y), or -1 outside the grid.
    long index(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width_ || y >= height_)
            return -1;
        return static_cast<long>(y) * width_ + x;
    }

    // The first cell of a run of `length` cells from (x, y) in reading order, with
    // `length` cut to what the surface holds; `length` 0 when (x, y) lies outside.
    std::size_t run(int x, int y, unsigned& length) const;

    int width_;
    int height_;
    int cursor_x_ = 0;
    int cursor_y_ = 0;
    std::vector<char> chars_;
    std::vector<unsigned short> attributes_;
    std::vector<unsigned char> plain_;
};

} // namespace console

#endif
