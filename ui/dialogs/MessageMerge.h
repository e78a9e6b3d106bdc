#pragma once

#include <windows.h>

#include "ui/dialogs/DialogWindow.h"

// The merge question of a batch ("dlg_message_merge.xml"): one text file per
// picture, or all texts merged. Every click on the check box flips
// RemindMergeBatch and stores it at once; however the dialog is closed, the
// option selected at that moment is the answer.
class CMessageMerge : public CDialogWindow {
public:
    // merge receives the answer: true when optMerge is selected as the dialog closes.
    explicit CMessageMerge(bool& merge);

    LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;

private:
    bool& merge_;

    void OnWindowInit() override;
    void OnClick(const std::wstring& name) override;
};

// Asks modally over owner whether to merge the batch's texts. False for one
// file per picture, and when the dialog could not be created.
bool AskMergeBatch(HWND owner);
