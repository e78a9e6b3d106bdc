#pragma once
// What the program finds as it starts, held steady for tests and benchmarks
// that start it: the service hosts of its install folder, and the state its
// start-up acts on (a stored account, an install report owed, a downloaded
// installer waiting, the machine code, the day of the last update check).
// Both are put back as they were when the test ends, so one test's
// leftovers can not change what the next start does.

#include <windows.h>
#include <shlobj.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "common/FileSystem.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ServiceHosts.h"

// The program's settings file in this Wine prefix's data folder.
inline std::wstring ProgramSettingsFile() {
    wchar_t appData[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
    return JoinPath(appData, L"PimloOCR\\config.ini");
}

// Writes settings of the program's [General] section.
inline void WriteProgramSettings(
    std::initializer_list<std::pair<const wchar_t*, std::wstring>> settings) {
    for (const auto& [key, value] : settings)
        WritePrivateProfileStringW(L"General", key, value.c_str(), ProgramSettingsFile().c_str());
}

// The install folder's "oem.ini" names the given hosts while this lives.
class ScopedServiceHosts {
public:
    ScopedServiceHosts(std::wstring installFolder, const ServiceHosts& hosts)
        : saved_(OemFileOf(installFolder)) {
        WriteServiceHosts(installFolder, hosts);
    }

private:
    SavedFile saved_;
};

// The values of one registry key (not its subkeys) for the life of this
// object, put back afterwards; a key that did not exist is removed again.
// view is the registry view (KEY_WOW64_32KEY for the machine-wide key, which
// the program reads in the 32-bit view), or 0 for the process's own.
class SavedRegistryKey {
public:
    SavedRegistryKey(HKEY root, std::wstring path, REGSAM view = 0)
        : root_(root), path_(std::move(path)), view_(view) {
        HKEY key = nullptr;
        existed_ = RegOpenKeyExW(root_, path_.c_str(), 0, KEY_READ | view_, &key) == ERROR_SUCCESS;
        if (!existed_) return;
        for (DWORD index = 0;; ++index) {
            Value value;
            if (!ReadValue(key, index, value)) break;
            values_.push_back(std::move(value));
        }
        RegCloseKey(key);
    }
    ~SavedRegistryKey() {
        if (!existed_) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(root_, path_.c_str(), 0, KEY_ALL_ACCESS | view_, &key) ==
                ERROR_SUCCESS) {
                RegDeleteTreeW(key, nullptr);
                RegCloseKey(key);
                RegDeleteKeyExW(root_, path_.c_str(), view_, 0);
            }
            return;
        }
        HKEY key = nullptr;
        if (RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
            return;
        std::vector<std::wstring> present;
        for (DWORD index = 0;; ++index) {
            Value value;
            if (!ReadValue(key, index, value)) break;
            present.push_back(value.name);
        }
        for (const std::wstring& name : present) RegDeleteValueW(key, name.c_str());
        for (const Value& value : values_) {
            RegSetValueExW(key, value.name.c_str(), 0, value.type,
                           reinterpret_cast<const BYTE*>(value.data.data()),
                           static_cast<DWORD>(value.data.size()));
        }
        RegCloseKey(key);
    }
    SavedRegistryKey(const SavedRegistryKey&) = delete;
    SavedRegistryKey& operator=(const SavedRegistryKey&) = delete;

private:
    struct Value {
        std::wstring name;
        DWORD type = 0;
        std::string data;
    };

    static bool ReadValue(HKEY key, DWORD index, Value& value) {
        wchar_t name[16384];  // the longest value name the registry allows
        DWORD nameLength = 16384;
        DWORD size = 0;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &value.type, nullptr, &size) !=
            ERROR_SUCCESS)
            return false;
        value.data.resize(size);
        nameLength = 16384;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &value.type,
                          reinterpret_cast<BYTE*>(value.data.data()), &size) != ERROR_SUCCESS)
            return false;
        value.name.assign(name, nameLength);
        value.data.resize(size);
        return true;
    }

    HKEY root_;
    std::wstring path_;
    REGSAM view_;
    bool existed_ = false;
    std::vector<Value> values_;
};

// An ordinary start of the day while this lives: nobody signed in, no
// install report owed, no downloaded installer waiting, a machine code
// stored (no elevated run to make one) and today's update check done. A
// test that needs another start changes the state after this is made; the
// registry values and the settings file are put back as they were.
class ScopedStartState {
public:
    ScopedStartState() {
        CreateFolderTree(ProgramSettingsFile().substr(0, ProgramSettingsFile().rfind(L'\\')));
        // Set only when a downloaded installer waits in the data folder.
        WritePrivateProfileStringW(L"Main", L"HasNewInstaller", nullptr,
                                   ProgramSettingsFile().c_str());
        HKEY user = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &user, nullptr) == ERROR_SUCCESS) {
            for (const wchar_t* name :
                 {L"Account", L"NickName", L"LoginType", L"SendInstallMessage"})
                RegDeleteValueW(user, name);
            SYSTEMTIME today = {};
            GetLocalTime(&today);
            const DWORD day = today.wDay;
            RegSetValueExW(user, L"UpdateDay", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&day),
                           sizeof(day));
            const std::wstring date = std::to_wstring(today.wYear) + L"-" +
                                      std::to_wstring(today.wMonth) + L"-" + std::to_wstring(day);
            RegSetValueExW(user, L"UpdateDate", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(date.c_str()),
                           static_cast<DWORD>((date.size() + 1) * sizeof(wchar_t)));
            RegCloseKey(user);
        }
        HKEY machine = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kProductKey, 0, nullptr, 0,
                            KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &machine,
                            nullptr) == ERROR_SUCCESS) {
            static const wchar_t kMachineCode[] = L"0123456789ABCDEF";
            RegSetValueExW(machine, L"uid", 0, REG_SZ, reinterpret_cast<const BYTE*>(kMachineCode),
                           sizeof(kMachineCode));
            RegCloseKey(machine);
        }
    }

private:
    static constexpr wchar_t kProductKey[] = L"Software\\PimloOCR";

    SavedRegistryKey user_{HKEY_CURRENT_USER, kProductKey};
    SavedRegistryKey machine_{HKEY_LOCAL_MACHINE, kProductKey, KEY_WOW64_32KEY};
    SavedRegistryKey run_{HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run"};
    SavedFile settings_{ProgramSettingsFile()};
};
