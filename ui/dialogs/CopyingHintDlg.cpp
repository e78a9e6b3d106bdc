#include "ui/dialogs/CopyingHintDlg.h"

void CCopyingHintDlg::OnClick(const std::wstring& name) {
    if (name == L"btnClose") CloseDialog();
}

void ShowCopyingHint(HWND owner) {
    if (FindWindowW(CCopyingHintDlg::kWindowClass, nullptr)) return;
    (new CCopyingHintDlg())->Open(owner);
}

void CloseCopyingHint() {
    if (HWND hint = FindWindowW(CCopyingHintDlg::kWindowClass, nullptr)) {
        PostMessageW(hint, WM_CLOSE, 0, 0);
    }
}
