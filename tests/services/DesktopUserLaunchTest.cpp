// Starting the program as the desktop's user: each step failing in turn
// gives its trace, starts nothing and leaves no handle open; and which
// runs of "/install" borrow the desktop's token at all.
#include <gmock/gmock.h>

#include <set>
#include <string>

#include "common/DebugTrace.h"
#include "services/DesktopUserLaunch.h"

namespace {

enum Step { kOwnToken, kPrivilege, kShell, kProcessId, kProcess, kToken, kPrimary, kCreate, kNone };

// Calls that hand out numbered handles, fail at one step and record closes.
class ScriptedCalls : public DesktopLaunchCalls {
public:
    explicit ScriptedCalls(Step failing) : failing_(failing) {}

    HANDLE OpenOwnToken() override { return Give(kOwnToken); }
    bool EnableIncreaseQuota(HANDLE) override { return failing_ != kPrivilege; }
    HWND ShellWindow() override {
        return failing_ == kShell ? nullptr : reinterpret_cast<HWND>(0x10);
    }
    DWORD ProcessOf(HWND) override { return failing_ == kProcessId ? 0 : 1234; }
    HANDLE OpenProcessToQuery(DWORD) override { return Give(kProcess); }
    HANDLE OpenTokenToDuplicate(HANDLE) override { return Give(kToken); }
    HANDLE PrimaryCopy(HANDLE) override { return Give(kPrimary); }
    bool CreateWithToken(HANDLE, const wchar_t*, wchar_t*, const wchar_t*, STARTUPINFOW&,
                         PROCESS_INFORMATION&) override {
        created_ = failing_ != kCreate;
        return created_;
    }
    DWORD LastError() override { return 5; }
    void Close(HANDLE handle) override { open_.erase(handle); }

    bool Created() const { return created_; }
    size_t OpenHandles() const { return open_.size(); }

private:
    Step failing_;
    bool created_ = false;
    std::set<HANDLE> open_;
    uintptr_t next_ = 0x100;

    HANDLE Give(Step step) {
        if (step == failing_) return nullptr;
        const auto handle = reinterpret_cast<HANDLE>(next_++);
        open_.insert(handle);
        return handle;
    }
};

TEST(DesktopUserLaunch, EachFailingStepIsTracedAndEveryHandleClosed) {
    const struct {
        Step failing;
        const wchar_t* trace;
    } cases[] = {
        {kOwnToken, L"OpenProcessToken failed:  5\n"},
        {kPrivilege, L"AdjustTokenPrivileges failed: 5\n"},
        {kShell, L"No desktop shell is present\n"},
        {kProcessId, L"Unable to get PID of desktop shell.\n"},
        {kProcess, L"Can't open desktop shell process: 5\n"},
        {kToken, L"Can't get process token of desktop shell:  5\n"},
        {kPrimary, L"Can't get primary token:  5\n"},
        {kCreate, L"CreateProcessWithTokenW failed:  5\n"},
        {kNone, nullptr},
    };
    for (const auto& each : cases) {
        std::wstring traced;
        SetDebugTraceSink([&traced](const std::wstring& line) { traced += line; });
        ScriptedCalls calls(each.failing);
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started = {};
        const bool launched = LaunchAsDesktopUser(calls, L"C:\\PimloOCR\\PimloOCR.exe", nullptr,
                                                  nullptr, startup, started);
        SetDebugTraceSink(nullptr);
        EXPECT_EQ(launched, each.trace == nullptr) << each.failing;
        EXPECT_EQ(calls.Created(), each.trace == nullptr) << each.failing;
        EXPECT_EQ(traced, each.trace ? each.trace : L"") << each.failing;
        EXPECT_EQ(calls.OpenHandles(), 0u) << each.failing;
    }
}

TEST(DesktopUserLaunch, OnlyAnElevatedInstallOfVistaOrLaterBorrowsTheDesktopToken) {
    EXPECT_EQ(ChooseInstallRelaunch(true, true), InstallRelaunch::AsDesktopUserFirst);
    for (const auto& [vista, elevated] : {std::pair{true, false}, {false, true}, {false, false}})
        EXPECT_EQ(ChooseInstallRelaunch(vista, elevated), InstallRelaunch::Open);
}

}  // namespace
