#ifndef CORVALD_WIN32_REGISTRY_H
#define CORVALD_WIN32_REGISTRY_H

#include <string>

namespace win32 {

// Reads string values of the machine-wide registry (HKEY_LOCAL_MACHINE). Errors come back
// as the value itself: "no key path" when the key cannot be opened, "no key" when the
// value cannot be read.
class Registry {
public:
    Registry() = delete;

    // Where the product keeps its settings, and the value that holds its version.
    static constexpr const char* product_key = "Software\\Arvelin Software\\Corvald Poker";
    static constexpr const char* version_name = "Version";

    static std::string get_value(const std::string& key, const std::string& name);
};

} // namespace win32

#endif
