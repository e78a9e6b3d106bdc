#pragma once

#include <windows.h>

#include "ui/dialogs/DialogWindow.h"

// The close question ("dlg_message_exit.xml"): hide the window to the tray
// or end the program, and whether to ask again. "确定" stores the choice in
// HideWhenClose and, with "不再提醒" ticked, turns RemindWhenClose off.
class CMessageExitDlg : public CDialogWindow {
public:
    // cancelled receives the answer: true until "确定" is pressed.
    explicit CMessageExitDlg(bool& cancelled);

private:
    bool& cancelled_;

    void OnWindowInit() override;
    void OnClick(const std::wstring& name) override;
    void StoreChoice();
};

// Asks modally over owner what the close button should do. True when the
// user cancelled; false once the choice is stored, and when the dialog could
// not be created.
bool AskCloseCancelled(HWND owner);
