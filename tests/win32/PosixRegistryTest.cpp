#include "win32/Registry.h"

#include <gtest/gtest.h>

#include "app/Version.h"

TEST(PosixRegistry, AnswersOnlyTheProductVersion)
{
    const char product_key[] = "Software\\Arvelin Software\\Corvald Poker";
    const struct { const char* key; const char* value; const char* expected; } rows[] = {
        {product_key, "Version", CORVALD_VERSION},
        {"Software\\Arvelin Software", "Version", "no key path"},
        {"", "Version", "no key path"},
        {product_key, "Path", "no key"},
        {product_key, "", "no key"}};
    for (const auto& row : rows)
        EXPECT_EQ(win32::Registry::get_value(row.key, row.value), row.expected)
            << row.key << " / " << row.value;
}
