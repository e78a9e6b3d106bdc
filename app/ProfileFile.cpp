#include "app/ProfileFile.h"

#include <windows.h>

#include <algorithm>
#include <vector>

// The system takes a file name without a folder for one in the Windows folder
// ("win.ini" when it is empty); the program's files always have a full path.
int32_t ReadProfileInteger(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                           int32_t defaultValue) {
    if (file.empty()) {
        return defaultValue;
    }
    return static_cast<int32_t>(GetPrivateProfileIntW(section, key, defaultValue, file.c_str()));
}

std::wstring ReadProfileText(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                             const std::wstring& defaultValue, size_t capacity) {
    if (capacity == 0) {
        return {};
    }
    if (file.empty()) {
        return defaultValue.substr(0, capacity - 1);
    }
    std::vector<wchar_t> buffer(capacity, L'\0');
    const DWORD length = GetPrivateProfileStringW(section, key, defaultValue.c_str(), buffer.data(),
                                                  static_cast<DWORD>(capacity), file.c_str());
    return std::wstring(buffer.data(), std::min<size_t>(length, capacity - 1));
}

bool WriteProfileInteger(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                         int32_t value) {
    return WriteProfileText(file, section, key, std::to_wstring(value));
}

bool WriteProfileText(const std::wstring& file, const wchar_t* section, const wchar_t* key,
                      const std::wstring& value) {
    if (file.empty()) {
        return false;
    }
    return WritePrivateProfileStringW(section, key, value.c_str(), file.c_str()) != FALSE;
}
