#include <gtest/gtest.h>

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

}  // namespace
