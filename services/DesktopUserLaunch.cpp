#include "services/DesktopUserLaunch.h"

#include <utility>

#include "common/DebugTrace.h"

namespace {

// Closes a handle of the calls when it goes.
class Owned {
public:
    Owned(DesktopLaunchCalls& calls, HANDLE handle) : calls_(calls), handle_(handle) {}
    ~Owned() {
        if (handle_) calls_.Close(handle_);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    DesktopLaunchCalls& calls_;
    HANDLE handle_;
};

bool Fail(DesktopLaunchCalls& calls, const wchar_t* format) {
    DebugTrace(format, static_cast<int>(calls.LastError()));
    return false;
}

}  // namespace

bool LaunchAsDesktopUser(DesktopLaunchCalls& calls, const wchar_t* application,
                         wchar_t* commandLine, const wchar_t* folder, STARTUPINFOW& startup,
                         PROCESS_INFORMATION& started) {
    {
        Owned own(calls, calls.OpenOwnToken());
        if (!own) return Fail(calls, L"OpenProcessToken failed:  %d\n");
        if (!calls.EnableIncreaseQuota(own.get()))
            return Fail(calls, L"AdjustTokenPrivileges failed: %d\n");
    }
    const HWND shell = calls.ShellWindow();
    if (!shell) return Fail(calls, L"No desktop shell is present\n");
    const DWORD shellProcessId = calls.ProcessOf(shell);
    if (shellProcessId == 0) return Fail(calls, L"Unable to get PID of desktop shell.\n");
    Owned process(calls, calls.OpenProcessToQuery(shellProcessId));
    if (!process) return Fail(calls, L"Can't open desktop shell process: %d\n");
    Owned token(calls, calls.OpenTokenToDuplicate(process.get()));
    if (!token) return Fail(calls, L"Can't get process token of desktop shell:  %d\n");
    Owned primary(calls, calls.PrimaryCopy(token.get()));
    if (!primary) return Fail(calls, L"Can't get primary token:  %d\n");
    if (!calls.CreateWithToken(primary.get(), application, commandLine, folder, startup, started))
        return Fail(calls, L"CreateProcessWithTokenW failed:  %d\n");
    return true;
}

InstallRelaunch ChooseInstallRelaunch(bool vistaOrLater, bool elevated) {
    return vistaOrLater && elevated ? InstallRelaunch::AsDesktopUserFirst : InstallRelaunch::Open;
}
