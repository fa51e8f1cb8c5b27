#include "win32/Registry.h"

#include <array>

#include <windows.h>

#include "win32/RegistryValue.h"

namespace win32 {

// The two registry calls and nothing more; what the bytes mean is RegistryValue's business.
std::string Registry::get_value(const std::string& key, const std::string& name)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return RegistryValue::no_key_path;

    std::array<char, RegistryValue::buffer_size> buffer{};
    DWORD size = static_cast<DWORD>(buffer.size());
    const LONG status = RegQueryValueExA(opened, name.c_str(), nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(buffer.data()), &size);
    RegCloseKey(opened);

    // A value too long for the buffer fails with ERROR_MORE_DATA and reports the size it
    // needs, which the size rule turns into "no key".
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA)
        return RegistryValue::no_key;
    return RegistryValue::interpret(buffer.data(), size);
}

} // namespace win32
