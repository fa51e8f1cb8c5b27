#ifndef CORVALD_WIN32_REGISTRYVALUE_H
#define CORVALD_WIN32_REGISTRYVALUE_H

#include <cstddef>
#include <string>

namespace win32 {

// What a registry string value means once its bytes have been read: kept apart from the
// registry calls so that the rules hold (and are tested) on every platform.
class RegistryValue {
public:
    RegistryValue() = delete;

    // The read buffer: a value of up to 255 characters plus its terminating NUL.
    static constexpr std::size_t buffer_size = 256;

    // The error texts, returned in place of the value.
    static constexpr const char* no_key_path = "no key path"; // the key cannot be opened
    static constexpr const char* no_key = "no key";           // the value cannot be read

    // The text of a value whose read reported `size` bytes at `data`: everything up to
    // the first NUL (or all `size` bytes when the value stores none), less one trailing
    // backslash. A value that does not fit the buffer with its NUL (a size beyond the
    // buffer, as a read reports for a longer value, or 256 bytes without a NUL) gives
    // "no key". `data` must hold `size` bytes when size is within the buffer.
    static std::string interpret(const char* data, std::size_t size);
};

} // namespace win32

#endif
