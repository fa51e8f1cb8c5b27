#include "support/ScreenPicture.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "console/Colour.h"

namespace corvald_test {

std::string picture(const console::Surface& screen, Region region)
{
    namespace colour = console::colour;
    // The attributes in the order of their letters, as listed above `picture`.
    const unsigned short attributes[] = {
        colour::white,     colour::bright_red, colour::bright_yellow, colour::dark_green,  colour::bright_cyan,
        colour::card_back, colour::card_face,  colour::card_face_red, colour::table_green, colour::invisible};
    const std::string letters = "WRYGCBFrT.", drawn = "\x03\x04\x05\x06\xDA\xBF\xC0\xD9\xC4\xB3";
    std::string text;
    for (int y = region.top; y <= region.bottom; ++y) {
        std::string characters, colours;
        for (int x = region.left; x <= region.right; ++x) {
            const console::Cell cell = screen.cell(x, y);
            const auto at = drawn.find(cell.ch);
            characters += at != std::string::npos            ? "hdcs/\\\\/-|"[at]
                          : cell.ch >= ' ' && cell.ch <= '~' ? cell.ch
                                                             : '~';
            const auto* found = std::find(std::begin(attributes), std::end(attributes), cell.attribute);
            colours += found == std::end(attributes) ? '?' : letters[found - std::begin(attributes)];
        }
        text += characters + "|" + colours + "\n";
    }
    return text;
}

::testing::AssertionResult matches_golden(const console::Surface& screen, Region region, const std::string& golden)
{
    return matches_golden(picture(screen, region), golden);
}

::testing::AssertionResult matches_golden(const std::string& actual, const std::string& golden)
{
    const std::string path = std::string(CORVALD_SOURCE_DIR) + "/tests/" + golden + ".txt";
    if (std::getenv("CORVALD_WRITE_SCREENS")) {
        std::ofstream(path) << actual;
        return ::testing::AssertionFailure() << "written " << path << ": read it before trusting it";
    }
    std::ifstream file(path);
    std::ostringstream expected;
    expected << file.rdbuf();
    if (file.is_open() && expected.str() == actual)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << (file.is_open() ? "differs from " : "cannot read ") << path
                                         << "; the actual text:\n"
                                         << actual;
}

} // namespace corvald_test
