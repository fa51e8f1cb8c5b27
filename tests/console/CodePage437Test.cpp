#include "console/CodePage437.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>
#include <iconv.h>

using console::CodePage437;

namespace {

// Decodes UTF-8 of one character (the table's own encoding checked against its code point).
char32_t decode_utf8(std::string_view bytes)
{
    const auto b = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(bytes[i])); };
    switch (bytes.size()) {
    case 1: return b(0);
    case 2: return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    case 3: return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
    default: return 0xFFFFFFFF;
    }
}

} // namespace

TEST(CodePage437, CardSuitsAndBoxLinesShowAsTheirUnicodeCharacters)
{
    EXPECT_EQ(CodePage437::to_unicode('\x03'), U'\u2665');   // heart
    EXPECT_EQ(CodePage437::to_unicode('\x04'), U'\u2666');   // diamond
    EXPECT_EQ(CodePage437::to_unicode('\x05'), U'\u2663');   // club
    EXPECT_EQ(CodePage437::to_unicode('\x06'), U'\u2660');   // spade
    EXPECT_EQ(CodePage437::to_unicode('\xDA'), U'\u250C');
    EXPECT_EQ(CodePage437::to_unicode('\xC4'), U'\u2500');
    EXPECT_EQ(CodePage437::to_unicode('\xBF'), U'\u2510');
    EXPECT_EQ(CodePage437::to_unicode('\xB3'), U'\u2502');
    EXPECT_EQ(CodePage437::to_unicode('\xC0'), U'\u2514');
    EXPECT_EQ(CodePage437::to_unicode('\xD9'), U'\u2518');
    EXPECT_EQ(CodePage437::to_unicode('A'), U'A');
    EXPECT_EQ(CodePage437::to_unicode(' '), U' ');
    EXPECT_EQ(CodePage437::utf8('\x06'), "\u2660");
    EXPECT_EQ(CodePage437::utf8('\xDA'), "\u250C");
}

TEST(CodePage437, NoByteBecomesAControlCharacterAndEveryEncodingDecodesBack)
{
    for (int byte = 0; byte < 256; ++byte) {
        const char ch = static_cast<char>(byte);
        const char32_t c = CodePage437::to_unicode(ch);
        EXPECT_FALSE(c < 0x20 || (c >= 0x7F && c < 0xA0)) << "byte " << byte;
        EXPECT_EQ(decode_utf8(CodePage437::utf8(ch)), c) << "byte " << byte;
    }
}

// The C library's own IBM437 table is an independent source for the printable bytes (it
// keeps the control bytes as controls, so those are checked above instead).
TEST(CodePage437, PrintableBytesAgreeWithTheSystemCodePageTable)
{
    iconv_t converter = iconv_open("UTF-32LE", "IBM437");
    if (converter == reinterpret_cast<iconv_t>(-1))
        GTEST_SKIP() << "the C library has no IBM437 converter here";
    for (int byte = 0x20; byte < 256; ++byte) {
        if (byte == 0x7F)
            continue;
        char in = static_cast<char>(byte);
        unsigned char out[4] = {0, 0, 0, 0};
        char* in_at = &in;
        char* out_at = reinterpret_cast<char*>(out);
        std::size_t in_left = 1;
        std::size_t out_left = sizeof out;
        ASSERT_NE(iconv(converter, &in_at, &in_left, &out_at, &out_left), static_cast<std::size_t>(-1))
            << "byte " << byte;
        const char32_t expected = out[0] | (out[1] << 8) | (out[2] << 16) | (static_cast<char32_t>(out[3]) << 24);
        EXPECT_EQ(CodePage437::to_unicode(static_cast<char>(byte)), expected) << "byte " << byte;
    }
    iconv_close(converter);
}
