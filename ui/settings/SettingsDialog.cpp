#include "ui/settings/SettingsDialog.h"

#include "common/FileSystem.h"
#include "ui/settings/SettingDlg.h"

HWND SettingsDialogOwner(HWND mainWindow) {
    if (!IsWindow(mainWindow) || !IsWindowVisible(mainWindow) || IsIconic(mainWindow)) {
        return GetDesktopWindow();
    }
    return mainWindow;
}

void RunSettingsDialog(const SettingsDialogContext& context) {
    // The window deletes its object when it is destroyed, also when its
    // layout fails to build during creation; so a failed Create leaves the
    // object alone rather than risk deleting it twice.
    auto* dialog = new CSettingDlg(context);
    if (!dialog->Create(SettingsDialogOwner(context.mainWindow), L"设置")) return;
    dialog->CenterWindow();
    dialog->ShowModal();
}

void ShowSettingsDialog(HWND mainWindow) {
    RunSettingsDialog({mainWindow, CurrentSettings(), ProductRegistry(), ModuleFilePath()});
}
