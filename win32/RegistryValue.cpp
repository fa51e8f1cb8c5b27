#include "win32/RegistryValue.h"

#include <cassert>
#include <cstring>

namespace win32 {

std::string RegistryValue::interpret(const char* data, std::size_t size)
{
    if (size > buffer_size)
        return no_key;
    assert(data != nullptr || size == 0);

    // A string value need not carry its NUL (the registry stores whatever bytes it was
    // given), so the search stops at the bytes actually read, never beyond the buffer.
    const void* nul = size > 0 ? std::memchr(data, '\0', size) : nullptr;
    const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - data)
                                   : size;
    // The text must leave room for its NUL: 255 characters at most.
    if (length >= buffer_size)
        return no_key;
    std::string text(data, length);

    // One trailing backslash is dropped, never more: a value ending in two keeps one.
    if (!text.empty() && text.back() == '\\')
        text.pop_back();
    return text;
}

} // namespace win32
