#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/FileSystem.h"

namespace {

TEST(FileSystemTest, FolderPathLosesTrailingSeparatorButRootsKeepIt) {
    const struct {
        const wchar_t* folder;
        const wchar_t* expected;
    } cases[] = {
        {L"C:\\Results\\", L"C:\\Results"},
        {L"C:\\Results\\\\", L"C:\\Results"},
        {L"C:\\Results/", L"C:\\Results"},
        {L"C:\\Results", L"C:\\Results"},
        {L"C:\\", L"C:\\"},
        {L"C:\\\\", L"C:\\"},
        {L"\\\\?\\C:\\", L"\\\\?\\C:\\"},
        {L"\\\\server\\share\\", L"\\\\server\\share"},
        {L"\\", L"\\"},
        {L"", L""},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.folder);
        EXPECT_EQ(WithoutTrailingSeparator(row.folder), row.expected);
    }
}

TEST(FileSystemTest, TheFirstFreeNameIsTaken) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring folder =
        JoinPath(temp, L"pimlo-first-free-" + std::to_wstring(GetTickCount()));
    ASSERT_TRUE(CreateFolderTree(folder));
    EXPECT_EQ(FirstFreePath(folder, L"pic", L".jpg"), JoinPath(folder, L"pic.jpg"));
    for (const wchar_t* taken : {L"pic.jpg", L"pic1.jpg"})
        CloseHandle(CreateFileW(JoinPath(folder, taken).c_str(), GENERIC_WRITE, 0, nullptr,
                                CREATE_NEW, 0, nullptr));
    EXPECT_EQ(FirstFreePath(folder, L"pic", L".jpg"), JoinPath(folder, L"pic2.jpg"));
    for (const wchar_t* taken : {L"pic.jpg", L"pic1.jpg"})
        DeleteFileW(JoinPath(folder, taken).c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
