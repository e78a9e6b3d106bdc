// Helper of the exit clean-up test: fills the compress folder of its temporary
// folder, installs the clean-up and ends normally. Exit code 1 when the
// folder could not be filled.

#include <windows.h>

#include "app/AppFolders.h"
#include "app/FolderCleanup.h"
#include "common/FileSystem.h"

int main() {
    const std::wstring compress = CompressFolder(SystemTempFolder());
    if (!CreateFolderTree(compress + L"scaled\\deeper")) {
        return 1;
    }
    HANDLE file = CreateFileW((compress + L"scaled\\deeper\\picture.png").c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    CloseHandle(file);
    InstallExitCleanup();
    InstallExitCleanup();
    return 0;
}
