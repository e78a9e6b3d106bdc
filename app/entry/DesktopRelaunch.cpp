#include "app/entry/DesktopRelaunch.h"

#include <windows.h>
#include <shellapi.h>
#include <versionhelpers.h>

#include "common/FileSystem.h"
#include "common/Win32Handles.h"
#include "services/DesktopUserLaunch.h"

namespace {

bool IsElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    KernelHandle owned(token);
    TOKEN_ELEVATION elevation = {};
    DWORD length = 0;
    return GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &length) &&
           elevation.TokenIsElevated != 0;
}

// As the desktop shell's user; false when that can not be done.
bool StartAsDesktopUser(const std::wstring& program) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!LaunchAsDesktopUser(SystemDesktopLaunchCalls(), program.c_str(), nullptr, nullptr, startup,
                             started))
        return false;
    CloseHandle(started.hProcess);
    CloseHandle(started.hThread);
    return true;
}

}  // namespace

void RelaunchForDesktopUser() {
    const std::wstring self = ModuleFilePath();
    if (ChooseInstallRelaunch(IsWindowsVistaOrGreater(), IsElevated()) ==
            InstallRelaunch::AsDesktopUserFirst &&
        StartAsDesktopUser(self))
        return;
    ShellExecuteW(nullptr, L"open", self.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
