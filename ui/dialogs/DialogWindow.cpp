#include "ui/dialogs/DialogWindow.h"

namespace {

constexpr DWORD kDialogStyle =
    WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;

}  // namespace

CDialogWindow::~CDialogWindow() {
    if (freedDuringOpen_) *freedDuringOpen_ = true;
}

bool CDialogWindow::Open(HWND owner) {
    bool freed = false;
    freedDuringOpen_ = &freed;
    const HWND window = Create(owner, WindowTitle().c_str(), WindowStyle(), 0);
    // A window that failed in its creation has been destroyed, and this object with it.
    if (freed) return false;
    freedDuringOpen_ = nullptr;
    if (!window) {
        delete this;
        return false;
    }
    return true;
}

bool CDialogWindow::OpenModal(HWND owner) {
    if (!Open(owner)) return false;
    ShowModal();
    return true;
}

UINT CDialogWindow::GetClassStyle() const { return kClassStyle; }

DWORD CDialogWindow::WindowStyle() const { return kDialogStyle; }

void CDialogWindow::OnFinalMessage(HWND hWnd) {
    WindowImplBase::OnFinalMessage(hWnd);
    delete this;
}

// Centred while still hidden, so the dialog never shows at the screen's corner.
void CDialogWindow::Init() { CenterWindow(); }

LRESULT CDialogWindow::OnClose(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    DestroyWindow(hwnd_);
    bHandled = TRUE;
    return 0;
}

void CDialogWindow::Notify(TNotifyUI& msg) {
    if (msg.sType == DUI_MSGTYPE_WINDOWINIT) OnWindowInit();
    if (msg.sType == DUI_MSGTYPE_CLICK && msg.pSender) OnClick(msg.pSender->GetName());
}

bool CDialogWindow::IsSelected(const wchar_t* name) {
    CControlUI* control = paintManager_.FindControl(name);
    return control && control->IsSelected();
}

void CDialogWindow::SetSelected(const wchar_t* name, bool selected) {
    if (auto* option = Find<COptionUI>(name)) option->Selected(selected, false);
}
