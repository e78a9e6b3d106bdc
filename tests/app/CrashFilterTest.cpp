// Whatever ends the program unexpectedly leaves a dump and tells the user.
#include <gmock/gmock.h>

#include "common/StringConversion.h"
#include "common/Win32Handles.h"
#include "tests/app/AppTestSupport.h"

namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

struct CrashOutcome {
    DWORD exitCode = 0;
    std::wstring message;  // the text of the system message box "except"
};

// The message box "except" of the process, or null.
HWND CrashMessageOf(DWORD processId) {
    for (HWND box = FindWindowW(L"#32770", L"except"); box;
         box = FindWindowExW(nullptr, box, L"#32770", L"except")) {
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        if (owner == processId) return box;
    }
    return nullptr;
}

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
    for (int tries = 0; tries < 300 && outcome.message.empty(); ++tries) {
        if (WaitForSingleObject(process.get(), 100) == WAIT_OBJECT_0) break;
        if (HWND box = CrashMessageOf(started.dwProcessId)) {
            // 0xFFFF: the message box's text control.
            wchar_t text[256] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 256);
            outcome.message = text;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }
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
