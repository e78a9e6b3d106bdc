#include "ui/dialogs/MessageMerge.h"

#include "app/AppSettings.h"

CMessageMerge::CMessageMerge(bool& merge) : CDialogWindow(L"dlg_message_merge.xml"), merge_(merge) {
    merge_ = false;
}

void CMessageMerge::OnWindowInit() {
    SetSelected(L"checkNotRemind", CurrentSettings().Get(Setting::RemindMergeBatch) != 0);
}

void CMessageMerge::OnClick(const std::wstring& name) {
    if (name == L"checkNotRemind") {
        AppSettings& settings = CurrentSettings();
        settings.Set(Setting::RemindMergeBatch,
                     settings.Get(Setting::RemindMergeBatch) != 0 ? 0 : 1);
    } else if (name == L"btnClose") {
        CloseDialog();
    }
}

// The cross, "开始处理", Escape and Alt+F4 all end here; the run goes on with
// the choice shown.
LRESULT CMessageMerge::OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
    merge_ = IsSelected(L"optMerge");
    return CDialogWindow::OnClose(uMsg, wParam, lParam, bHandled);
}

bool AskMergeBatch(HWND owner) {
    bool merge = false;
    auto* dialog = new CMessageMerge(merge);
    if (!dialog->OpenModal(owner)) return false;
    return merge;
}
