// Whatever ends the program unexpectedly leaves a dump and tells the user.
#include <gmock/gmock.h>

#include "common/StringConversion.h"
#include "common/Win32Handles.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/SystemMessageBox.h"

namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

struct CrashOutcome {
    DWORD exitCode = 0;
    std::wstring message;  // the text of the system message box "except"
};

// Runs the child, reads the crash message it shows and answers it with OK.
CrashOutcome RunCrashChild(const std::wstring& folder, const wchar_t* how) {
    std::wstring self = ModuleFilePath();
    std::wstring child = JoinPath(self.substr(0, self.find_last_of(L'\\')), L"app_crash_child.exe");
    std::wstring line = L"\"" + child + L"\" \"" + folder + L"\" " + how;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    CrashOutcome outcome;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return outcome;
    KernelHandle process(started.hProcess);
    KernelHandle thread(started.hThread);
    outcome.message = AnswerSystemMessageBox(process.get(), L"except");
    WaitForSingleObject(process.get(), 30000);
    GetExitCodeProcess(process.get(), &outcome.exitCode);
    return outcome;
}

// (Wine's C runtime has no handler for invalid arguments to replace, so that
// path is not run here.)
TEST(CrashFilter, FaultsAndUncaughtExceptionsLeaveADumpAndASystemMessage) {
    for (const wchar_t* how : {L"fault", L"throw"}) {
        TempFolder folder;
        const CrashOutcome outcome = RunCrashChild(folder.Path(), how);

        EXPECT_NE(outcome.exitCode, 0u) << WideToUtf8(how);
        EXPECT_EQ(ReadFileBytes(folder.File(L"Error.tmp")).substr(0, 4), "MDMP") << WideToUtf8(how);
        const std::string message = WideToUtf8(outcome.message);
        EXPECT_THAT(message, StartsWith("程序发生异常崩溃( code:")) << WideToUtf8(how);
        EXPECT_THAT(message, HasSubstr(" address:")) << WideToUtf8(how);
        EXPECT_THAT(message, EndsWith(" )")) << WideToUtf8(how);
        EXPECT_FALSE(PathExists(folder.File(L"presented.txt"))) << WideToUtf8(how);
    }
}

}  // namespace
