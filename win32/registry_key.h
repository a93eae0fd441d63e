// A registry key opened with no more access than its use needs: reads with read access,
// writes with set-value access, closed on scope exit.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "win32/handles.h"

namespace zr640::win {

class RegistryKey {
public:
    enum class Access { Read, ReadWrite };

    static RegistryKey Open(HKEY root, const wchar_t* path, Access access) {
        const REGSAM rights = access == Access::Read ? KEY_READ : KEY_READ | KEY_SET_VALUE;
        HKEY key = nullptr;
        if (RegOpenKeyExW(root, path, 0, rights, &key) != ERROR_SUCCESS) key = nullptr;
        return RegistryKey(key);
    }
    // Opens the key for reading and writing, creating it when it is missing.
    static RegistryKey Create(HKEY root, const wchar_t* path) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_READ | KEY_SET_VALUE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS) {
            key = nullptr;
        }
        return RegistryKey(key);
    }

    bool ok() const { return key_.valid(); }
    HKEY get() const { return key_.get(); }

    // A string value of at most maxBytes bytes (a longer one reads as missing); a value stored
    // without its terminator is read whole. REG_EXPAND_SZ counts only when asked for.
    std::optional<std::wstring> ReadString(const wchar_t* name, DWORD maxBytes,
                                           bool acceptExpandable = false) const {
        if (!ok()) return std::nullopt;
        std::vector<wchar_t> data(maxBytes / sizeof(wchar_t) + 1, L'\0');
        DWORD type = 0;
        DWORD size = maxBytes;
        if (RegQueryValueExW(key_.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                             &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        if (type != REG_SZ && !(acceptExpandable && type == REG_EXPAND_SZ)) return std::nullopt;
        return std::wstring(data.data());
    }
    bool WriteString(const wchar_t* name, const std::wstring& value) const {
        if (!ok()) return false;
        const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
        return RegSetValueExW(key_.get(), name, 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(value.c_str()), bytes) == ERROR_SUCCESS;
    }

private:
    explicit RegistryKey(HKEY key) : key_(key) {}
    ScopedKey key_;
};

}  // namespace zr640::win
