#include "win32/RegistryValue.h"

#include <string>

#include <gtest/gtest.h>

using win32::RegistryValue;

// A value is its text up to the first NUL (or all the bytes read when it stores none),
// less one trailing backslash.
TEST(RegistryValue, TextEndsAtTheFirstNulLessOneTrailingBackslash)
{
    const std::string longest(RegistryValue::buffer_size - 1, 'v');
    const std::pair<std::string, std::string> rows[] = {{std::string("1.4.2\0old\0", 10), "1.4.2"},
                                                        {std::string("2.0", 3), "2.0"},
                                                        {std::string("C:\\Poker\\\0", 10), "C:\\Poker"},
                                                        {std::string("C:\\Poker\\\\\0", 11), "C:\\Poker\\"},
                                                        {std::string("\\\0", 2), ""},
                                                        {std::string("1.0\0\\", 5), "1.0"},
                                                        {longest + '\0', longest}};
    for (const auto& [bytes, text] : rows)
        EXPECT_EQ(RegistryValue::interpret(bytes.data(), bytes.size()), text) << bytes;
    EXPECT_EQ(RegistryValue::interpret(nullptr, 0), "");
}

// A read of a longer value reports the size it would need; a full buffer without a NUL
// has no room left for one.
TEST(RegistryValue, ValueBeyond255CharactersIsNoKey)
{
    const std::string buffer(RegistryValue::buffer_size, 'v');
    for (std::size_t reported : {buffer.size(), buffer.size() + 1, std::size_t{4000}})
        EXPECT_EQ(RegistryValue::interpret(buffer.data(), reported), "no key") << reported;
}
