#pragma once

#include <string>

// The folders the program keeps its files in, found once at start-up.
struct AppFolders {
    // The executable's folder (no trailing "\"): skin, language files, "oem.ini".
    std::wstring installFolder;
    // The roaming application-data folder + "\PimloOCR": "config.ini", "run.log".
    std::wstring dataFolder;
    // The user's desktop: where output folders go unless the settings say otherwise.
    std::wstring defaultSaveFolder;
    // The system temporary folder, ending in "\".
    std::wstring tempFolder;
};

// Finds the folders of the running program and creates the data folder when
// it is missing.
AppFolders LocateAppFolders();

// appDataFolder + "\PimloOCR", created when missing. The path is returned even
// when it could not be created; empty when appDataFolder is.
std::wstring EnsureDataFolder(const std::wstring& appDataFolder);

// The folder part of a module path ("C:\a\b.exe" gives "C:\a").
std::wstring InstallFolderOf(const std::wstring& modulePath);

// The system temporary folder, ending in "\".
std::wstring SystemTempFolder();

// The program's working folders under the temporary folder, each ending in "\".
std::wstring CompressFolder(const std::wstring& tempFolder);   // scaled picture copies
std::wstring IdCardsFolder(const std::wstring& tempFolder);    // combined identity cards
std::wstring ScannerFolder(const std::wstring& tempFolder);    // scanned pages
std::wstring ScreencutFolder(const std::wstring& tempFolder);  // screen captures

// Files of the data folder.
std::wstring SettingsFilePath(const std::wstring& dataFolder);  // "config.ini"
std::wstring LogFilePath(const std::wstring& dataFolder);       // "run.log"
