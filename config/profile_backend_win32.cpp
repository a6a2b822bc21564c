#include "config/profile_backend.h"

#include <windows.h>

namespace profile::backend {

std::uint32_t GetString(const char* section, const char* key, const char* defaultText, char* buf,
                        std::uint32_t size, const char* file) {
    return GetPrivateProfileStringA(section, key, defaultText, buf, size, file);
}

std::int32_t GetInt(const char* section, const char* key, std::int32_t defaultValue,
                    const char* file) {
    // kernel32 answers the 32-bit pattern as unsigned; the caller wants it signed.
    return static_cast<std::int32_t>(GetPrivateProfileIntA(section, key, defaultValue, file));
}

std::uint32_t WriteString(const char* section, const char* key, const char* value,
                          const char* file) {
    if (WritePrivateProfileStringA(section, key, value, file)) {
        return 0;
    }
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
}

} // namespace profile::backend
