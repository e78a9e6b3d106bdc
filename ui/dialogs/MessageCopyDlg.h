#pragma once

#include <windows.h>

#include "ui/dialogs/DialogWindow.h"

// The copy confirmation ("dlg_message_copy.xml"): the text is on the
// clipboard. Closed with "不再提醒" ticked, it turns RemindWhenCopy off.
class CMessageCopyDlg : public CDialogWindow {
public:
    CMessageCopyDlg() : CDialogWindow(L"dlg_message_copy.xml") {}

private:
    void OnClick(const std::wstring& name) override;
};

// Confirms a copy to the clipboard, modally over owner.
void ConfirmCopy(HWND owner);
