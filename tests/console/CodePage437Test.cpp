#include "console/CodePage437.h"

#include <string>

#include <gtest/gtest.h>
#include <iconv.h>

using console::CodePage437;

TEST(CodePage437, CardSuitsAndBoxLinesShowAsTheirUnicodeCharacters)
{
    const struct {
        char byte;
        char32_t expected;
    } rows[] = {{'\x03', U'\u2665'}, {'\x04', U'\u2666'}, {'\x05', U'\u2663'}, {'\x06', U'\u2660'}, {'\xDA', U'\u250C'},
                {'\xC4', U'\u2500'}, {'\xBF', U'\u2510'}, {'\xB3', U'\u2502'}, {'\xC0', U'\u2514'}, {'\xD9', U'\u2518'},
                {'\x1B', U'\u2190'}, {'\0', U' '},        {'A', U'A'}};
    for (const auto& row : rows)
        EXPECT_EQ(CodePage437::to_unicode(row.byte), row.expected) << int(row.byte);
}

// No byte may become a control character (it could start an escape sequence in the
// terminal). The C library's IBM437 table is an independent source for the printable
// bytes; it keeps the control bytes as controls, so those rest on the checks above.
TEST(CodePage437, EveryByteIsAPrintableCharacterAgreeingWithTheSystemTable)
{
    // `length` bytes at `in` converted by the C library from `from` to UTF-8; empty when it
    // cannot (no such converter, or a byte it keeps unmapped).
    const auto to_utf8 = [](const char* from, const void* in, std::size_t length) {
        const iconv_t converter = iconv_open("UTF-8", from);
        if (converter == reinterpret_cast<iconv_t>(-1))
            return std::string();
        char out[8] = {};
        char* in_at = static_cast<char*>(const_cast<void*>(in));
        char* out_at = out;
        std::size_t out_left = sizeof out;
        const std::size_t result = iconv(converter, &in_at, &length, &out_at, &out_left);
        iconv_close(converter);
        return result == static_cast<std::size_t>(-1) ? "" : std::string(out, sizeof out - out_left);
    };
    const bool system_table = to_utf8("IBM437", "A", 1) == "A";
    for (int byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        const char ch = static_cast<char>(byte);
        const char32_t c = CodePage437::to_unicode(ch);
        EXPECT_FALSE(c < 0x20 || (c >= 0x7F && c < 0xA0));
        EXPECT_EQ(CodePage437::utf8(ch), to_utf8("UTF-32LE", &c, sizeof c));
        if (system_table && byte >= 0x20 && byte != 0x7F) {
            EXPECT_EQ(CodePage437::utf8(ch), to_utf8("IBM437", &ch, 1));
        }
    }
}

// Names of players as cells: accented letters the code page has keep their letter.
TEST(CodePage437, Utf8NamesBecomeCellsWithQuestionMarksForWhatThePageLacks)
{
    EXPECT_EQ(console::CodePage437::from_utf8("Tar\xc3\xb3 38"), "Tar\xa2 38");
    EXPECT_EQ(console::CodePage437::from_utf8("w\xc3\xbcrstchen104"), "w\x81rstchen104");
    EXPECT_EQ(console::CodePage437::from_utf8("\xc3\x84mbli\xc3\x91"), "\x8embli\xa5"); // the last letter byte
    EXPECT_EQ(console::CodePage437::from_utf8("Kul\u00ed\u0161ek"), "Kul\xa1?ek");
    EXPECT_EQ(console::CodePage437::from_utf8("\xe6\x9d\x8e \xf0\x9f\x82\xa1!"), "? ?!");
    EXPECT_EQ(console::CodePage437::from_utf8("W\xfcrst\xc3"), "W?rst?");
}
