#include "app/Registry.h"

#include <algorithm>
#include <vector>

#include "common/Win32Handles.h"

namespace {

RegistryKey OpenKey(const RegistryLocation& location, REGSAM access, LSTATUS* status = nullptr) {
    HKEY key = nullptr;
    const LSTATUS result =
        RegOpenKeyExW(location.root, location.key.c_str(), 0, access | location.view, &key);
    if (status) {
        *status = result;
    }
    return result == ERROR_SUCCESS ? RegistryKey(key) : nullptr;
}

RegistryKey CreateKey(const RegistryLocation& location) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(location.root, location.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE | location.view, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return RegistryKey(key);
}

bool SetValue(const RegistryLocation& location, const wchar_t* name, DWORD type, const void* data,
              DWORD size) {
    RegistryKey key = CreateKey(location);
    return key && RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), size) ==
                      ERROR_SUCCESS;
}

}  // namespace

std::optional<std::wstring> ReadRegistryText(const RegistryLocation& location, const wchar_t* name,
                                             DWORD maxBytes) {
    RegistryKey key = OpenKey(location, KEY_QUERY_VALUE);
    if (!key) {
        return std::nullopt;
    }
    std::vector<BYTE> data(maxBytes);
    DWORD type = 0;
    DWORD size = maxBytes;
    if (RegQueryValueExW(key.get(), name, nullptr, &type, data.data(), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    // The stored bytes are taken as they are: with or without a terminating
    // zero, never beyond what was read.
    std::wstring text(size / sizeof(wchar_t), L'\0');
    std::copy(data.begin(), data.begin() + text.size() * sizeof(wchar_t),
              reinterpret_cast<BYTE*>(text.data()));
    const size_t end = text.find(L'\0');
    if (end != std::wstring::npos) {
        text.resize(end);
    }
    return text;
}

std::optional<DWORD> ReadRegistryNumber(const RegistryLocation& location, const wchar_t* name) {
    RegistryKey key = OpenKey(location, KEY_QUERY_VALUE);
    if (!key) {
        return std::nullopt;
    }
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof(value);
    if (RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value)) {
        return std::nullopt;
    }
    return value;
}

bool RegistryValueExists(const RegistryLocation& location, const wchar_t* name) {
    RegistryKey key = OpenKey(location, KEY_QUERY_VALUE);
    return key &&
           RegQueryValueExW(key.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool WriteRegistryText(const RegistryLocation& location, const wchar_t* name,
                       const std::wstring& text) {
    return SetValue(location, name, REG_SZ, text.c_str(),
                    static_cast<DWORD>(text.size() * sizeof(wchar_t)));
}

bool WriteRegistryNumber(const RegistryLocation& location, const wchar_t* name, DWORD value) {
    return SetValue(location, name, REG_DWORD, &value, sizeof(value));
}

bool DeleteRegistryValue(const RegistryLocation& location, const wchar_t* name) {
    LSTATUS status = ERROR_SUCCESS;
    RegistryKey key = OpenKey(location, KEY_SET_VALUE, &status);
    if (!key) {
        return status == ERROR_FILE_NOT_FOUND;
    }
    status = RegDeleteValueW(key.get(), name);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}
