#include "ui/dialogs/MessageExitDlg.h"

#include "app/AppSettings.h"

CMessageExitDlg::CMessageExitDlg(bool& cancelled)
    : CDialogWindow(L"dlg_message_exit.xml"), cancelled_(cancelled) {
    cancelled_ = true;
}

void CMessageExitDlg::OnWindowInit() {
    const bool hide = CurrentSettings().Get(Setting::HideWhenClose) != 0;
    SetSelected(hide ? L"optHide" : L"optExit", true);
}

void CMessageExitDlg::OnClick(const std::wstring& name) {
    if (name == L"btnYes") {
        StoreChoice();
        cancelled_ = false;
    } else if (name != L"btnClose") {
        return;
    }
    CloseDialog();
}

void CMessageExitDlg::StoreChoice() {
    AppSettings& settings = CurrentSettings();
    if (IsSelected(L"checkNotRemind")) settings.Set(Setting::RemindWhenClose, 0);
    const int32_t hide = IsSelected(L"optHide") ? 1 : 0;
    if (settings.Get(Setting::HideWhenClose) != hide) settings.Set(Setting::HideWhenClose, hide);
}

bool AskCloseCancelled(HWND owner) {
    bool cancelled = false;
    auto* dialog = new CMessageExitDlg(cancelled);
    if (!dialog->OpenModal(owner)) return false;
    return cancelled;
}
