#include "ui/MainFrame.h"

#include <shellapi.h>

#include "app/AppFolders.h"
#include "app/AppSettings.h"
#include "app/LanguageText.h"
#include "app/StartupData.h"
#include "app/TraceLog.h"
#include "common/DebugTrace.h"
#include "services/Updater.h"
#include "ui/WebAddress.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/dialogs/MessageExitDlg.h"
#include "ui/dialogs/ThinScrollBar.h"
#include "ui/settings/SettingsDialog.h"

namespace {

// How long the window takes to fade out when it closes.
constexpr DWORD kCloseFadeMs = 100;
// The message filter switch of elevated processes (Vista and later).
constexpr DWORD kMessageFilterAdd = 1;
// WM_COPYGLOBALDATA: the shell sends the dropped names with it.
constexpr UINT kCopyGlobalData = 0x0049;

// Lets an elevated main window receive drops from the unelevated shell.
void AllowDropsFromLowerProcesses() {
    using ChangeFilter = BOOL(WINAPI*)(UINT, DWORD);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto change = user32 ? reinterpret_cast<ChangeFilter>(reinterpret_cast<void*>(
                               GetProcAddress(user32, "ChangeWindowMessageFilter")))
                         : nullptr;
    if (!change) return;
    for (UINT message : {static_cast<UINT>(WM_DROPFILES), kCopyGlobalData}) {
        change(message, kMessageFilterAdd);
    }
}

// A working folder under the temporary folder (screen captures, scanned
// pages); none when the temporary folder is unknown.
std::wstring WorkFolder(std::wstring (*folderUnder)(const std::wstring&)) {
    const std::wstring& temp = CurrentStartupData().folders.tempFolder;
    return temp.empty() ? std::wstring() : folderUnder(temp);
}

}  // namespace

CMainFrame::CMainFrame()
    : CMyTwain(WorkFolder(ScannerFolder)),
      screenCutting_(WorkFolder(ScreencutFolder), Text(TextKeys::XLSTip),
                     Text(TextKeys::ScreencutXLSTip)) {}

void CMainFrame::OnFinalMessage(HWND hWnd) {
    WindowImplBase::OnFinalMessage(hWnd);
    delete this;
}

LRESULT CMainFrame::OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
    const LRESULT result = WindowImplBase::OnCreate(uMsg, wParam, lParam, bHandled);
    DragAcceptFiles(hwnd_, TRUE);
    worker_.Recognition().mainWindow = hwnd_;
    AllowDropsFromLowerProcesses();
    const int32_t hotKey = CurrentSettings().Get(Setting::HotKey);
    if (hotKey != 0) {
        RegisterHotKey(hwnd_, kCaptureHotKeyId, LOWORD(hotKey), HIWORD(hotKey));
    }
    // Without a manager a scan says so when it is asked for.
    InitTwain(hwnd_);
    scanHook_.emplace(static_cast<IThreadMessageHandler*>(this));
    return result;
}

void CMainFrame::Init() {
    SetProcessDPIAware();
    if (CDPI::GetMainMonitorDPI() >= 192) paintManager_.SetDPI(192);
    paintManager_.AddMessageFilter(this);
    screenCutting_.SetScreenScale(paintManager_.GetDPIObj());
    RunStartUpSteps();
}

LRESULT CMainFrame::OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
    FadeOut(kCloseFadeMs);
    return WindowImplBase::OnClose(uMsg, wParam, lParam, bHandled);
}

LRESULT CMainFrame::OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
    UnregisterHotKey(hwnd_, kCaptureHotKeyId);
    scanHook_.reset();
    ReleaseTwain();
    RemoveTrayIcon();
    const LRESULT result = WindowImplBase::OnDestroy(uMsg, wParam, lParam, bHandled);
    PostQuitMessage(0);
    return result;
}

LRESULT CMainFrame::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
    // Alt+F4 and the system menu end the program, whatever the close button does.
    if ((wParam & 0xFFF0) == SC_CLOSE) {
        Close();
        return 0;
    }
    return WindowImplBase::OnSysCommand(uMsg, wParam, lParam, bHandled);
}

LRESULT CMainFrame::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
    switch (uMsg) {
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_OCR_FILE_DONE:
            OnPictureDone(reinterpret_cast<const RecognitionResult*>(wParam),
                          *reinterpret_cast<const PictureDone*>(lParam));
            return 0;
        case WM_SCREENCUT_DONE:
            OnScreenCutDone();
            return 0;
        case WM_HOTKEY:
            if (wParam == kCaptureHotKeyId) OnCaptureHotKey();
            return 0;
        case WM_UPDATE_CHECKED:
            CurrentUpdate().OnInteractiveCheckEnded(static_cast<UpdateOutcome>(wParam));
            return 0;
        case WM_LOGIN_STATE:
            if (wParam == 1)
                ShowNickname();
            else
                ClearNickname();
            return 0;
        case UIMSG_TRAYICON:
            if (lParam == WM_RBUTTONUP) {
                POINT cursor = {};
                GetCursorPos(&cursor);
                PopupMenu(L"trayicon_menu.xml", cursor);
            } else if (lParam == WM_LBUTTONUP) {
                ShowWindow(true);
                if (IsIconic(hwnd_)) ::ShowWindow(hwnd_, SW_RESTORE);
            }
            return 0;
        case WM_MENUCLICK:
            OnMenuCommand(reinterpret_cast<const wchar_t*>(wParam));
            return 0;
        default:
            bHandled = FALSE;
            return 0;
    }
}

LRESULT CMainFrame::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) {
    if (uMsg == WM_KEYDOWN && wParam == VK_TAB && !(lParam & (1 << 30))) SetTableHint(true);
    if (uMsg == WM_KEYUP && wParam == VK_TAB) SetTableHint(false);
    return WindowImplBase::MessageHandler(uMsg, wParam, lParam, bHandled);
}

void CMainFrame::Notify(TNotifyUI& msg) {
    if (msg.sType == DUI_MSGTYPE_WINDOWINIT) StyleResultScrollBar();
    if (msg.sType == DUI_MSGTYPE_CLICK && msg.pSender) OnClick(msg.pSender->GetName(), msg.pSender);
    WindowImplBase::Notify(msg);
}

void CMainFrame::StyleResultScrollBar() {
    auto* text = Find<CRichEditUI>(L"ocrText");
    StyleThinScrollBar(text ? text->GetVerticalScrollBar() : nullptr);
}

void CMainFrame::OnClick(const std::wstring& name, CControlUI* sender) {
    if (name == L"btnClose") return CloseRequest();
    if (name == L"btnMin") return void(SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0));
    if (name == L"btnMax") return void(SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0));
    if (name == L"btnMenu") return PopupMenu(L"main_menu.xml", LeftBottomOf(L"btnMenu"));
    if (name == L"userNickname") return PopupMenu(L"user_menu.xml", LeftBottomOf(L"userNickname"));
    if (name == L"Pic-OCR") return EnterModePage(OcrMode::PictureText);
    if (name == L"Screenshot-OCR") {
        mode_ = OcrMode::Screenshot;
        return StartScreenCapture();
    }
    if (name == L"Licensen-OCR") {
        SelectPage(MainPage::CardChooser);
        mode_ = OcrMode::CardChooser;
        return;
    }
    if (name == L"AppPage") return SelectPage(MainPage::AppPage);
    if (name == L"ScannerPage") return StartScan();
    if (name == L"IdCardOCR") {
        ResetIdCards();
        return EnterModePage(OcrMode::IdCard);
    }
    static const std::pair<const wchar_t*, OcrMode> kCardButtons[] = {
        {L"BankCardOCR", OcrMode::BankCard},        {L"DrivingOCR", OcrMode::DrivingLicense},
        {L"VehicleOCR", OcrMode::VehicleLicense},   {L"ReceiptOCR", OcrMode::Receipt},
        {L"BusinessOCR", OcrMode::BusinessLicense}, {L"PassportOCR", OcrMode::Passport},
        {L"BanklicenseOCR", OcrMode::BankLicense},
    };
    for (const auto& [button, mode] : kCardButtons) {
        if (name == button) return EnterModePage(mode);
    }
    if (name == L"Back") return OnBack();
    if (name == L"BackResultOK") return OnLeaveResults();
    if (name == L"titleLogo" || name == L"buttonAddPic") return ChoosePictures();
    if (name == L"addIdcardFront" || name == L"addIdcardFrontI") return ChooseIdCardSide(true);
    if (name == L"addIdcardBack" || name == L"addIdcardBackI") return ChooseIdCardSide(false);
    if (name == L"cancleFiles") return ClearQueue();
    if (name == L"LineButton") return OpenServicePage();
    if (name == L"buttonOCR") return StartRun();
    if (name == L"CopyText") return CopyCurrentText();
    if (name == L"openOCRFolder") return OpenOutputFolder();
    if (name == L"DiffText") return CompareCurrentText();
    if (name == L"btnDiff") return CompareListRow(sender);
}

void CMainFrame::OpenServicePage() {
    const std::wstring& address = CurrentStartupData().oem.servers.serviceUrl;
    if (!address.empty()) OpenWebAddress(address, hwnd_);
}

void CMainFrame::OnMenuCommand(const std::wstring& item) {
    if (item == L"menuExit") return Close();
    if (item == L"menuAbout") return ShowAbout(hwnd_);
    if (item == L"menuSetting") return ShowSettingsDialog(hwnd_);
    if (item == L"menuUpdate") return CheckForUpdateNow();
    if (item == L"menuShowMain") return ShowWindow(true);
    if (item == L"menuLogout") return SignOut();
}

void CMainFrame::CloseRequest() {
    AppSettings& settings = CurrentSettings();
    if (settings.Get(Setting::HideWhenClose) != 0 && settings.Get(Setting::RemindWhenClose) != 0 &&
        AskCloseCancelled(hwnd_))
        return;
    if (settings.Get(Setting::HideWhenClose) != 0) {
        ShowWindow(false, false);
        return;
    }
    Close();
}

void CMainFrame::PopupMenu(const wchar_t* layout, POINT screenPoint) {
    CMenuWnd::CreateMenu(hwnd_, layout, screenPoint);
}

POINT CMainFrame::LeftBottomOf(const wchar_t* name) {
    CControlUI* control = paintManager_.FindControl(name);
    POINT point = {};
    if (control) point = {control->GetPos().left, control->GetPos().bottom};
    ClientToScreen(hwnd_, &point);
    return point;
}

void CMainFrame::SetVisible(const wchar_t* name, bool visible) {
    if (CControlUI* control = paintManager_.FindControl(name)) control->SetVisible(visible);
}

void CMainFrame::SetEnabled(const wchar_t* name, bool enabled) {
    if (CControlUI* control = paintManager_.FindControl(name)) control->SetEnabled(enabled);
}

void CMainFrame::SetText(const wchar_t* name, const std::wstring& text) {
    if (CControlUI* control = paintManager_.FindControl(name)) control->SetText(text.c_str());
}
