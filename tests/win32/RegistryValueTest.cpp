#include "win32/RegistryValue.h"

#include <string>

#include <gtest/gtest.h>

namespace win32 {
namespace {

// Interprets `bytes` as a read that reported all of them.
std::string read_back(const std::string& bytes)
{
    return RegistryValue::interpret(bytes.data(), bytes.size());
}

TEST(RegistryValue, TextEndsAtTheFirstNul)
{
    EXPECT_EQ(read_back(std::string("1.4.2\0old\0", 10)), "1.4.2");
    EXPECT_EQ(read_back(std::string("\0later", 6)), "");
}

TEST(RegistryValue, ValueWithoutNulStopsAtTheBytesRead)
{
    const char buffer[] = {'2', '.', '0', 'X', 'Y', 'Z'};
    EXPECT_EQ(RegistryValue::interpret(buffer, 3), "2.0");
}

TEST(RegistryValue, EmptyValueIsEmptyText)
{
    EXPECT_EQ(RegistryValue::interpret(nullptr, 0), "");
    EXPECT_EQ(read_back(std::string("\0", 1)), "");
}

TEST(RegistryValue, ExactlyOneTrailingBackslashIsRemoved)
{
    EXPECT_EQ(read_back(std::string("C:\\Poker\\\0", 10)), "C:\\Poker");
    EXPECT_EQ(read_back(std::string("C:\\Poker\\\\\0", 11)), "C:\\Poker\\");
    EXPECT_EQ(read_back(std::string("\\\0", 2)), "");
    // The backslash counts only at the end of the text, not at the end of the bytes.
    EXPECT_EQ(read_back(std::string("1.0\0\\", 5)), "1.0");
}

TEST(RegistryValue, InnerBackslashesStay)
{
    EXPECT_EQ(read_back(std::string("a\\b\\c\0", 6)), "a\\b\\c");
}

TEST(RegistryValue, LongestValueThatFitsIsKept)
{
    const std::string text(RegistryValue::buffer_size - 1, 'v');
    EXPECT_EQ(read_back(text + '\0'), text);
}

TEST(RegistryValue, ValueBeyond255CharactersIsNoKey)
{
    // What a read reports for a longer value: the size it would need.
    const std::string buffer(RegistryValue::buffer_size, 'v');
    EXPECT_EQ(RegistryValue::interpret(buffer.data(), RegistryValue::buffer_size + 1), "no key");
    EXPECT_EQ(RegistryValue::interpret(buffer.data(), 4000), "no key");
    // A full buffer without a NUL has no room left for one.
    EXPECT_EQ(read_back(buffer), "no key");
}

} // namespace
} // namespace win32
