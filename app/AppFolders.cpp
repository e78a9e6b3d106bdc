#include "app/AppFolders.h"

#include <windows.h>
#include <shlobj.h>

#include "common/FileSystem.h"

namespace {

constexpr wchar_t kDataFolderName[] = L"PimloOCR";
constexpr wchar_t kTempFolderName[] = L"pimloOCR";

std::wstring SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) {
        return {};
    }
    return path;
}

std::wstring TempSubfolder(const std::wstring& tempFolder, const wchar_t* name) {
    return JoinPath(JoinPath(tempFolder, kTempFolderName), name) + L"\\";
}

}  // namespace

AppFolders LocateAppFolders() {
    AppFolders folders;
    folders.installFolder = InstallFolderOf(ModuleFilePath());
    folders.dataFolder = EnsureDataFolder(SpecialFolder(CSIDL_APPDATA));
    folders.defaultSaveFolder = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
    folders.tempFolder = SystemTempFolder();
    return folders;
}

std::wstring EnsureDataFolder(const std::wstring& appDataFolder) {
    // Without the application-data folder there is no place for the data
    // folder; a relative path would put it wherever the process happens to run.
    if (appDataFolder.empty()) {
        return {};
    }
    const std::wstring folder = JoinPath(appDataFolder, kDataFolderName);
    if (!FolderExists(folder)) {
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    return folder;
}

std::wstring InstallFolderOf(const std::wstring& modulePath) {
    const size_t separator = modulePath.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : modulePath.substr(0, separator);
}

std::wstring SystemTempFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, path);
    if (length == 0 || length > MAX_PATH) {
        return {};
    }
    return JoinPath(path, L"");
}

std::wstring CompressFolder(const std::wstring& tempFolder) {
    return TempSubfolder(tempFolder, L"compress");
}

std::wstring IdCardsFolder(const std::wstring& tempFolder) {
    return TempSubfolder(tempFolder, L"IdCards");
}

std::wstring ScannerFolder(const std::wstring& tempFolder) {
    return TempSubfolder(tempFolder, L"Scanner");
}

std::wstring ScreencutFolder(const std::wstring& tempFolder) {
    return TempSubfolder(tempFolder, L"screencut");
}

std::wstring SettingsFilePath(const std::wstring& dataFolder) {
    return JoinPath(dataFolder, L"config.ini");
}

std::wstring LogFilePath(const std::wstring& dataFolder) {
    return JoinPath(dataFolder, L"run.log");
}
