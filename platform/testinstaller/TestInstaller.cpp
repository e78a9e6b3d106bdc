// A stand-in for the program's installer, for the tests of the updater. It
// does what matters of an installation and nothing else:
//   - appends its whole command line, as one UTF-8 line, to
//     "PimloOCRSetup.ran" beside its own executable, so a test sees that it
//     ran and with which arguments;
//   - stores the installed version (INSTALLED_VERSION, given by the build) as
//     "Version" under HKEY_LOCAL_MACHINE\Software\PimloOCR in the 32-bit view
//     of the registry, where the 32-bit program reads it on every Windows;
//   - exits 0, or 1 when either could not be written.
// It opens no window.
#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kRecordName[] = L"PimloOCRSetup.ran";
constexpr wchar_t kProductKey[] = L"Software\\PimloOCR";

// This program's own path, however long.
std::wstring OwnPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return path.substr(0, length);
        path.resize(path.size() * 2);
    }
}

std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size,
                        nullptr, nullptr);
    return bytes;
}

bool RecordRun() {
    std::wstring path = OwnPath();
    size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return false;
    path = path.substr(0, slash + 1) + kRecordName;

    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::string line = ToUtf8(GetCommandLineW()) + "\r\n";
    DWORD written = 0;
    bool ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
              written == line.size();
    CloseHandle(file);
    return ok;
}

bool StoreVersion() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kProductKey, 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring version = INSTALLED_VERSION;
    LONG result =
        RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                       static_cast<DWORD>((version.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    bool recorded = RecordRun();
    bool stored = StoreVersion();
    return recorded && stored ? 0 : 1;
}
