#include "ui/dialogs/MessageCopyDlg.h"

#include "app/AppSettings.h"

void CMessageCopyDlg::OnClick(const std::wstring& name) {
    if (name != L"btnClose" && name != L"btnYes") return;
    if (IsSelected(L"NotRemind")) CurrentSettings().Set(Setting::RemindWhenCopy, 0);
    CloseDialog();
}

void ConfirmCopy(HWND owner) { (new CMessageCopyDlg())->OpenModal(owner); }
