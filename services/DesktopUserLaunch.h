#pragma once

#include <windows.h>

#include <string>

// Starting a program as the user of the desktop from an elevated process:
// the installer's last step runs the program elevated with "/install", and
// the program starts itself again with the desktop shell's token, so that
// the running program does not keep the installer's rights.

// The system calls it takes, one per step, so that the tests can fail each
// step and count the handles. Every handle one of them gives is closed with
// Close.
class DesktopLaunchCalls {
public:
    virtual ~DesktopLaunchCalls() = default;
    // The current process's token, opened to adjust privileges; null on failure.
    virtual HANDLE OpenOwnToken() = 0;
    // Enables "SeIncreaseQuotaPrivilege" in token: false on failure, and also
    // when the call leaves a last error (the process lacks the privilege).
    virtual bool EnableIncreaseQuota(HANDLE token) = 0;
    // The desktop shell's window, or null.
    virtual HWND ShellWindow() = 0;
    // The id of the process that owns window, or 0.
    virtual DWORD ProcessOf(HWND window) = 0;
    // The process opened to query information, or null.
    virtual HANDLE OpenProcessToQuery(DWORD processId) = 0;
    // Its token opened to duplicate, or null.
    virtual HANDLE OpenTokenToDuplicate(HANDLE process) = 0;
    // A primary copy of token for starting a process, or null.
    virtual HANDLE PrimaryCopy(HANDLE token) = 0;
    // CreateProcessWithTokenW (looked up in Advapi32.dll) with the token.
    virtual bool CreateWithToken(HANDLE token, const wchar_t* application, wchar_t* commandLine,
                                 const wchar_t* folder, STARTUPINFOW& startup,
                                 PROCESS_INFORMATION& started) = 0;
    virtual DWORD LastError() = 0;
    virtual void Close(HANDLE handle) = 0;
};

// The system's own calls.
DesktopLaunchCalls& SystemDesktopLaunchCalls();

// Starts application as the user of the desktop shell. False, after one
// debug trace naming the step, when a step fails; every handle is closed
// either way, except the started process's two in started.
bool LaunchAsDesktopUser(DesktopLaunchCalls& calls, const wchar_t* application,
                         wchar_t* commandLine, const wchar_t* folder, STARTUPINFOW& startup,
                         PROCESS_INFORMATION& started);

// How the "/install" run starts the program again.
enum class InstallRelaunch {
    Open,               // the shell's "open"
    AsDesktopUserFirst  // LaunchAsDesktopUser, "open" when it fails
};
// Before Vista, and when not elevated, the shell starts it as the user
// already; only an elevated process borrows the desktop's token.
InstallRelaunch ChooseInstallRelaunch(bool vistaOrLater, bool elevated);
