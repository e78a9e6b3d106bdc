#include <gtest/gtest.h>

#include <string>

#include "app/AppFolders.h"
#include "app/FolderCleanup.h"
#include "tests/app/AppTestSupport.h"

namespace {

// folder/a.PNG, folder/b.txt, folder/sub/c.txt, folder/sub/deeper/d.png
void FillFolder(const std::wstring& folder) {
    CreateFolderTree(folder + L"\\sub\\deeper");
    for (const wchar_t* file : {L"a.PNG", L"b.txt", L"sub\\c.txt", L"sub\\deeper\\d.png"}) {
        WriteFileBytes(folder + L"\\" + file, "x");
    }
}

std::wstring ExeFolder() { return InstallFolderOf(ModuleFilePath()); }

// This process's environment with TMP and TEMP naming tempFolder.
std::wstring EnvironmentWithTemp(const std::wstring& tempFolder) {
    std::wstring block;
    wchar_t* strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
        if (_wcsnicmp(entry, L"TMP=", 4) != 0 && _wcsnicmp(entry, L"TEMP=", 5) != 0) {
            block.append(entry).push_back(L'\0');
        }
    }
    FreeEnvironmentStringsW(strings);
    for (const wchar_t* name : {L"TMP=", L"TEMP="}) {
        block.append(name).append(tempFolder).push_back(L'\0');
    }
    block.push_back(L'\0');
    return block;
}

}  // namespace

TEST(EmptyFolder, ExtensionFiltersOnlyTheTopFolder) {
    TempFolder temp;
    const std::wstring folder = temp.File(L"work");
    FillFolder(folder);
    EXPECT_TRUE(EmptyFolder(folder, L"png", false));
    EXPECT_FALSE(PathExists(folder + L"\\a.PNG"));
    EXPECT_TRUE(FileExists(folder + L"\\b.txt"));
    // Sub-folders are emptied whatever the extension, and stay.
    EXPECT_FALSE(PathExists(folder + L"\\sub\\c.txt"));
    EXPECT_FALSE(PathExists(folder + L"\\sub\\deeper\\d.png"));
    EXPECT_TRUE(FolderExists(folder + L"\\sub\\deeper"));
}

TEST(EmptyFolder, RemoveFlagRemovesEveryFolder) {
    TempFolder temp;
    const std::wstring folder = temp.File(L"work");
    FillFolder(folder);
    EXPECT_TRUE(EmptyFolder(folder, {}, true));
    EXPECT_FALSE(PathExists(folder));
}

TEST(EmptyFolder, FailsForAFolderThatCanNotBeListed) {
    TempFolder temp;
    EXPECT_FALSE(EmptyFolder(temp.File(L"missing"), {}, true));
    WriteFileBytes(temp.File(L"file"), "x");
    EXPECT_FALSE(EmptyFolder(temp.File(L"file"), {}, true));
    EXPECT_TRUE(FileExists(temp.File(L"file")));
}

TEST(EmptyFolder, NeverEntersAFolderLink) {
    TempFolder temp;
    FillFolder(temp.File(L"elsewhere"));
    CreateFolderTree(temp.File(L"work"));
    if (!CreateSymbolicLinkW(temp.File(L"work\\link").c_str(), temp.File(L"elsewhere").c_str(),
                             SYMBOLIC_LINK_FLAG_DIRECTORY)) {
        GTEST_SKIP() << "this system can not create folder links";
    }
    EXPECT_TRUE(EmptyFolder(temp.File(L"work"), {}, true));
    EXPECT_FALSE(PathExists(temp.File(L"work")));
    EXPECT_TRUE(FileExists(temp.File(L"elsewhere\\sub\\c.txt")));
}

TEST(ExitCleanup, RemovesTheCompressFolderWhenTheProcessEnds) {
    TempFolder temp;
    const std::wstring tempFolder = temp.Path() + L"\\";
    // The child puts files into its compress folder, installs the clean-up and exits.
    std::wstring environment = EnvironmentWithTemp(tempFolder);
    std::wstring command = L"\"" + ExeFolder() + L"\\app_exit_cleanup_child.exe\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE,
                               CREATE_UNICODE_ENVIRONMENT, environment.data(), nullptr, &startup,
                               &process));
    WaitForSingleObject(process.hProcess, 30000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(FolderExists(temp.File(L"pimloOCR")));
    EXPECT_FALSE(PathExists(CompressFolder(tempFolder)));
}
