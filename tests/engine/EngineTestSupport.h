#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <string>

#include "common/FileSystem.h"
#include "common/GdiplusSession.h"
#include "common/StringConversion.h"
#include "tests/app/AppTestSupport.h"

// How many processes are named like the engine.
inline int EngineProcessCount() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        count += _wcsicmp(entry.szExeFile, L"zozid32.dll") == 0;
    }
    CloseHandle(snapshot);
    return count;
}

// Copies the engine double `double` (built beside the test program) into
// installFolder as "recognition\ZOZID32.dll", with the text it will answer.
inline void InstallEngineDouble(const std::wstring& installFolder, const wchar_t* double_,
                                const std::wstring& answer = L"") {
    std::wstring self = ModuleFilePath();
    const std::wstring built =
        JoinPath(self.substr(0, self.find_last_of(L'\\')), std::wstring(double_) + L".exe");
    const std::wstring engineFolder = JoinPath(installFolder, L"recognition");
    CreateFolderTree(engineFolder);
    ASSERT_TRUE(CopyFileW(built.c_str(), JoinPath(engineFolder, L"ZOZID32.dll").c_str(), FALSE));
    WriteFileBytes(JoinPath(engineFolder, L"answer.txt"), WideToUtf8(answer));
}

// Saves a picture of the given pixels (one row) as PNG.
inline void WritePicture(const std::wstring& path, std::initializer_list<Gdiplus::Color> row) {
    Gdiplus::Bitmap picture(static_cast<INT>(row.size()), 1, PixelFormat24bppRGB);
    INT x = 0;
    for (const Gdiplus::Color& colour : row) picture.SetPixel(x++, 0, colour);
    CLSID png = {};
    CLSIDFromString(L"{557CF406-1A04-11D3-9A73-0000F81EF32E}", &png);
    picture.Save(path.c_str(), &png, nullptr);
}

// Ends every engine process a test left behind.
inline void EndStrayEngines() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, L"zozid32.dll") != 0) continue;
        HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID);
        if (process) TerminateProcess(process, 0), CloseHandle(process);
    }
    CloseHandle(snapshot);
}
