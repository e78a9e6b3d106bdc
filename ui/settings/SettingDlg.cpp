#include "ui/settings/SettingDlg.h"

#include "app/ShowMessage.h"
#include "common/FileSystem.h"
#include "ui/dialogs/DialogWindow.h"
#include "ui/settings/CaptureHotKey.h"
#include "ui/settings/FolderBrowser.h"
#include "ui/settings/ImageSizeChoice.h"

namespace {

constexpr DWORD kDialogStyle =
    WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;

}  // namespace

HWND CSettingDlg::Create(HWND owner, const wchar_t* caption) {
    return WindowImplBase::Create(owner, caption, kDialogStyle, 0, 0, 0, 0, 0);
}

UINT CSettingDlg::GetClassStyle() const { return CDialogWindow::kClassStyle; }

void CSettingDlg::OnFinalMessage(HWND hWnd) {
    WindowImplBase::OnFinalMessage(hWnd);
    delete this;
}

LRESULT CSettingDlg::OnClose(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    DestroyWindow(hwnd_);
    bHandled = TRUE;
    return 0;
}

void CSettingDlg::Notify(TNotifyUI& msg) {
    if (msg.sType == DUI_MSGTYPE_WINDOWINIT) return FillControls();
    if (!msg.pSender) return;
    if (msg.sType == DUI_MSGTYPE_CLICK) return OnClick(msg.pSender);
    if (msg.sType == DUI_MSGTYPE_ITEMSELECT && msg.pSender->GetName() == L"comboMaxSize") {
        return OnImageSizeChosen(static_cast<int>(msg.wParam));
    }
}

void CSettingDlg::FillControls() {
    const AppSettings& settings = context_.settings;
    SetSelected(L"optAutoRun", context_.registry.AutorunEnabled());
    SetSelected(L"optAutoUpdate", settings.Get(Setting::CanUpdate) != 0);
    SetSelected(L"optCompressedSize", settings.Get(Setting::CompressedSizeLimit) != 0);
    SetSelected(L"optUseHighQuality", settings.Get(Setting::UseHighQuality) != 0);
    SetSelected(settings.Get(Setting::HideWhenClose) != 0 ? L"optHideWindow" : L"optExit", true);
    if (auto* hotKey = Find<CHotKeyUI>(L"HotKey")) {
        const int32_t value = settings.Get(Setting::HotKey);
        hotKey->SetHotKey(HIWORD(value), LOWORD(value));
    }
    if (CControlUI* savePath = paintManager_.FindControl(L"SavePath")) {
        savePath->SetText(settings.SavePath().c_str());
    }
    if (auto* combo = Find<CComboUI>(L"comboMaxSize")) {
        combo->SelectItem(ImageSizeItem(settings.Get(Setting::MaxImageSize)), false);
    }
}

void CSettingDlg::SetSelected(const wchar_t* name, bool selected) {
    if (auto* option = Find<COptionUI>(name)) option->Selected(selected, false);
}

void CSettingDlg::OnClick(CControlUI* sender) {
    const std::wstring& name = sender->GetName();
    // The click arrives before a check box flips: its new state is the
    // opposite of the one it shows now.
    const bool ticked = !sender->IsSelected();
    AppSettings& settings = context_.settings;
    if (name == L"optAutoRun") {
        context_.registry.SetAutorun(ticked, context_.executable);
    } else if (name == L"optAutoUpdate") {
        settings.Set(Setting::CanUpdate, ticked);
    } else if (name == L"optUseHighQuality") {
        settings.Set(Setting::UseHighQuality, ticked);
    } else if (name == L"optHideWindow") {
        settings.Set(Setting::HideWhenClose, 1);
    } else if (name == L"optExit") {
        settings.Set(Setting::HideWhenClose, 0);
    } else if (name == L"ChangeDir") {
        ChooseSaveFolder();
    } else if (name == L"btnClose") {
        ApplyAndClose();
    }
}

void CSettingDlg::OnImageSizeChosen(int item) {
    const int32_t size = ImageSizeOfItem(item);
    if (size != 0) context_.settings.Set(Setting::MaxImageSize, size);
}

void CSettingDlg::ChooseSaveFolder() {
    CControlUI* savePath = paintManager_.FindControl(L"SavePath");
    if (!savePath) return;
    // Only shown here: the folder is stored when the dialog closes.
    if (auto folder = BrowseForFolder(hwnd_, savePath->GetText())) {
        savePath->SetText(folder->c_str());
    }
}

void CSettingDlg::ApplyAndClose() {
    CControlUI* savePathField = paintManager_.FindControl(L"SavePath");
    const std::wstring savePath = savePathField ? savePathField->GetText() : L"";
    // Output folders are made inside the save folder, so a file of that name
    // is refused as well as a path that does not exist.
    if (!FolderExists(savePath)) {
        ShowMessage(MessageKeys::SavePathNotExist, hwnd_, MB_ICONINFORMATION);
        return;
    }
    if (savePath != context_.settings.SavePath()) context_.settings.SetSavePath(savePath);
    ApplyHotKey();
    ApplyCompression();
    Close(IDOK);
}

void CSettingDlg::ApplyHotKey() {
    auto* field = Find<CHotKeyUI>(L"HotKey");
    if (!field) return;
    WORD virtualKey = 0;
    WORD modifiers = 0;
    field->GetHotKey(virtualKey, modifiers);
    const int32_t newValue = CaptureHotKeyValue(virtualKey, modifiers);
    const int32_t oldValue = context_.settings.Get(Setting::HotKey);
    if (newValue == oldValue) return;
    context_.settings.Set(Setting::HotKey, newValue);
    MoveCaptureHotKey(context_.mainWindow, oldValue, newValue);
}

void CSettingDlg::ApplyCompression() {
    auto* option = Find<COptionUI>(L"optCompressedSize");
    if (!option) return;
    const bool shrink = option->IsSelected();
    if (shrink != (context_.settings.Get(Setting::CompressedSizeLimit) != 0)) {
        context_.settings.Set(Setting::CompressedSizeLimit, shrink);
    }
}
