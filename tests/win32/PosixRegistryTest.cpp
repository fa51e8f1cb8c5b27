#include "win32/Registry.h"

#include <gtest/gtest.h>

#include "app/Version.h"

namespace win32 {
namespace {

const char product_key[] = "Software\\Arvelin Software\\Corvald Poker";

TEST(PosixRegistry, ProductVersionIsTheBuildVersion)
{
    EXPECT_EQ(Registry::get_value(product_key, "Version"), CORVALD_VERSION);
}

TEST(PosixRegistry, OtherKeyPathIsNoKeyPath)
{
    EXPECT_EQ(Registry::get_value("Software\\Arvelin Software", "Version"), "no key path");
    EXPECT_EQ(Registry::get_value("", "Version"), "no key path");
}

TEST(PosixRegistry, OtherValueUnderTheProductKeyIsNoKey)
{
    EXPECT_EQ(Registry::get_value(product_key, "Path"), "no key");
    EXPECT_EQ(Registry::get_value(product_key, ""), "no key");
}

} // namespace
} // namespace win32
