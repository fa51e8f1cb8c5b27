#include "console/CodePage437.h"

#include <array>

namespace console {

namespace {

constexpr int no_bytes = 256;

// Bytes 0x00 to 0x1F: the pictures the PC shows for the control bytes.
constexpr char32_t low_glyphs[0x20] = {
    U' ',      U'\u263A', U'\u263B', U'\u2665', U'\u2666', U'\u2663', U'\u2660', U'\u2022',
    U'\u25D8', U'\u25CB', U'\u25D9', U'\u2642', U'\u2640', U'\u266A', U'\u266B', U'\u263C',
    U'\u25BA', U'\u25C4', U'\u2195', U'\u203C', U'\u00B6', U'\u00A7', U'\u25AC', U'\u21A8',
    U'\u2191', U'\u2193', U'\u2192', U'\u2190', U'\u221F', U'\u2194', U'\u25B2', U'\u25BC',
};

// Byte 0x7F (a small house) and the upper half, 0x80 to 0xFF.
constexpr char32_t delete_glyph = U'\u2302';
constexpr char32_t high_glyphs[0x80] = {
    // 0x80: accented letters and currency signs
    U'\u00C7', U'\u00FC', U'\u00E9', U'\u00E2', U'\u00E4', U'\u00E0', U'\u00E5', U'\u00E7',
    U'\u00EA', U'\u00EB', U'\u00E8', U'\u00EF', U'\u00EE', U'\u00EC', U'\u00C4', U'\u00C5',
    U'\u00C9', U'\u00E6', U'\u00C6', U'\u00F4', U'\u00F6', U'\u00F2', U'\u00FB', U'\u00F9',
    U'\u00FF', U'\u00D6', U'\u00DC', U'\u00A2', U'\u00A3', U'\u00A5', U'\u20A7', U'\u0192',
    // 0xA0
    U'\u00E1', U'\u00ED', U'\u00F3', U'\u00FA', U'\u00F1', U'\u00D1', U'\u00AA', U'\u00BA',
    U'\u00BF', U'\u2310', U'\u00AC', U'\u00BD', U'\u00BC', U'\u00A1', U'\u00AB', U'\u00BB',
    // 0xB0: shades, then single and double box lines
    U'\u2591', U'\u2592', U'\u2593', U'\u2502', U'\u2524', U'\u2561', U'\u2562', U'\u2556',
    U'\u2555', U'\u2563', U'\u2551', U'\u2557', U'\u255D', U'\u255C', U'\u255B', U'\u2510',
    U'\u2514', U'\u2534', U'\u252C', U'\u251C', U'\u2500', U'\u253C', U'\u255E', U'\u255F',
    U'\u255A', U'\u2554', U'\u2569', U'\u2566', U'\u2560', U'\u2550', U'\u256C', U'\u2567',
    U'\u2568', U'\u2564', U'\u2565', U'\u2559', U'\u2558', U'\u2552', U'\u2553', U'\u256B',
    U'\u256A', U'\u2518', U'\u250C', U'\u2588', U'\u2584', U'\u258C', U'\u2590', U'\u2580',
    // 0xE0: Greek letters and mathematical signs
    U'\u03B1', U'\u00DF', U'\u0393', U'\u03C0', U'\u03A3', U'\u03C3', U'\u00B5', U'\u03C4',
    U'\u03A6', U'\u0398', U'\u03A9', U'\u03B4', U'\u221E', U'\u03C6', U'\u03B5', U'\u2229',
    U'\u2261', U'\u00B1', U'\u2265', U'\u2264', U'\u2320', U'\u2321', U'\u00F7', U'\u2248',
    U'\u00B0', U'\u2219', U'\u00B7', U'\u221A', U'\u207F', U'\u00B2', U'\u25A0', U'\u00A0',
};

constexpr char32_t unicode_of(unsigned byte)
{
    if (byte < 0x20)
        return low_glyphs[byte];
    if (byte < 0x7F)
        return static_cast<char32_t>(byte);
    if (byte == 0x7F)
        return delete_glyph;
    return high_glyphs[byte - 0x80];
}

// Every character of the table lies below U+10000, so three bytes of UTF-8 suffice.
struct Utf8 {
    char bytes[3] = {0, 0, 0};
    unsigned char length = 0;
};

constexpr Utf8 encode(char32_t c)
{
    Utf8 result;
    if (c < 0x80) {
        result.bytes[0] = static_cast<char>(c);
        result.length = 1;
    } else if (c < 0x800) {
        result.bytes[0] = static_cast<char>(0xC0 | (c >> 6));
        result.bytes[1] = static_cast<char>(0x80 | (c & 0x3F));
        result.length = 2;
    } else {
        result.bytes[0] = static_cast<char>(0xE0 | (c >> 12));
        result.bytes[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        result.bytes[2] = static_cast<char>(0x80 | (c & 0x3F));
        result.length = 3;
    }
    return result;
}

constexpr std::array<Utf8, no_bytes> build_utf8_table()
{
    std::array<Utf8, no_bytes> table{};
    for (unsigned byte = 0; byte < no_bytes; ++byte)
        table[byte] = encode(unicode_of(byte));
    return table;
}

constexpr std::array<Utf8, no_bytes> utf8_table = build_utf8_table();

} // namespace

char32_t CodePage437::to_unicode(char ch)
{
    return unicode_of(static_cast<unsigned char>(ch));
}

std::string_view CodePage437::utf8(char ch)
{
    const Utf8& entry = utf8_table[static_cast<unsigned char>(ch)];
    return std::string_view(entry.bytes, entry.length);
}

// Letters only: the upper half of the code page holds the accented letters (0x80 to 0xA5)
// besides box lines and signs, which no name means.
std::string CodePage437::from_utf8(std::string_view text)
{
    constexpr unsigned char first_letter = 0x80;
    constexpr unsigned char last_letter = 0xA5;
    std::string cells;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < first_letter) {
            cells += static_cast<char>(lead);
            ++i;
            continue;
        }
        // The length the lead byte announces; continuation bytes carry 6 bits each.
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        char32_t code = length == 1 ? 0 : lead & (0x7F >> length);
        bool valid = length > 1 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        char shown = '?';
        for (unsigned byte = first_letter; valid && byte <= last_letter; ++byte) {
            if (unicode_of(byte) == code) {
                shown = static_cast<char>(byte);
                break;
            }
        }
        cells += shown;
        i += valid ? length : 1;
    }
    return cells;
}

} // namespace console
