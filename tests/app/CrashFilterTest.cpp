// Whatever ends the program unexpectedly leaves a dump and tells the user.
#include <gmock/gmock.h>

#include "common/StringConversion.h"
#include "tests/app/AppTestSupport.h"

namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

DWORD RunCrashChild(const std::wstring& folder, const wchar_t* how) {
    std::wstring self = ModuleFilePath();
    std::wstring child = JoinPath(self.substr(0, self.find_last_of(L'\\')), L"app_crash_child.exe");
    std::wstring line = L"\"" + child + L"\" \"" + folder + L"\" " + how;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return 0;
    WaitForSingleObject(started.hProcess, 30000);
    DWORD exitCode = 0;
    GetExitCodeProcess(started.hProcess, &exitCode);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return exitCode;
}

// (Wine's C runtime has no handler for invalid arguments to replace, so that
// path is not run here.)
TEST(CrashFilter, FaultsAndUncaughtExceptionsLeaveADumpAndAMessage) {
    for (const wchar_t* how : {L"fault", L"throw"}) {
        TempFolder folder;
        const DWORD exitCode = RunCrashChild(folder.Path(), how);

        EXPECT_NE(exitCode, 0u) << WideToUtf8(how);
        EXPECT_EQ(ReadFileBytes(folder.File(L"Error.tmp")).substr(0, 4), "MDMP") << WideToUtf8(how);
        const std::string message = ReadFileBytes(folder.File(L"message.txt"));
        EXPECT_THAT(message, StartsWith("except|程序发生异常崩溃( code:")) << WideToUtf8(how);
        EXPECT_THAT(message, HasSubstr(" address:")) << WideToUtf8(how);
        EXPECT_THAT(message, EndsWith(" )")) << WideToUtf8(how);
    }
}

}  // namespace
