#include "win32/Registry.h"

#include "app/Version.h"
#include "win32/RegistryValue.h"

namespace win32 {

// Without a registry the build itself is the installation: the product key holds one
// value, the version the build stamped into the program. Anything else is absent and
// reads as the registry's own error texts.
std::string Registry::get_value(const std::string& key, const std::string& name)
{
    if (key != product_key)
        return RegistryValue::no_key_path;
    if (name != version_name)
        return RegistryValue::no_key;
    return CORVALD_VERSION;
}

} // namespace win32
