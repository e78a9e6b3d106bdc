#include "app/entry/DesktopRelaunch.h"

#include <windows.h>
#include <shellapi.h>

#include "common/FileSystem.h"

// Through the shell, which starts the program as the user who runs the
// desktop. (Starting it with the desktop shell's own token from an elevated
// installer comes with the launcher of that token.)
void RelaunchForDesktopUser() {
    const std::wstring self = ModuleFilePath();
    ShellExecuteW(nullptr, L"open", self.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
