#include "ui/dialogs/WebBrowserDlg.h"

#include <utility>

#include "app/AppFolders.h"
#include "ui/WebAddress.h"

namespace {

// A sign-in answer is a short JSON text; anything longer is cut here.
constexpr size_t kMaxMessage = 64 * 1024 / sizeof(wchar_t);
constexpr DWORD kFadeOutMs = 100;
constexpr int kPageStep = 0;
constexpr int kErrorStep = 1;

}  // namespace

CWebBrowserDlg::CWebBrowserDlg(std::wstring title, std::wstring caption, std::wstring startUrl,
                               std::wstring trustedHost, std::wstring& message)
    : CDialogWindow(L"dlg_webbrowser.xml"),
      title_(std::move(title)),
      caption_(std::move(caption)),
      startUrl_(std::move(startUrl)),
      trustedHost_(std::move(trustedHost)),
      message_(message) {
    message_.clear();
}

DWORD CWebBrowserDlg::WindowStyle() const { return WS_OVERLAPPEDWINDOW | WS_VISIBLE; }

void CWebBrowserDlg::Init() {
    CDialogWindow::Init();
    if (auto* caption = Find(L"caption")) caption->SetText(caption_.c_str());
    view_ = Find<CWkeWebkitUI>(L"ie");
    const WebEngineCalls* engine = LoadWebEngine(hwnd_, GetWindow(hwnd_, GW_OWNER));
    if (!engine || !view_) return;
    // The view exists once laid out; sign-in cookies are kept between runs.
    paintManager_.EnsureLayout();
    void* webView = view_->GetWebView();
    if (engine->SetCookieJarPath && webView)
        engine->SetCookieJarPath(webView, LocateAppFolders().dataFolder.c_str());
    view_->SetWkeCallback(this);
    const int dpi = CDPI::GetMainMonitorDPI();
    if (engine->SetZoomFactor && webView && (dpi == 120 || dpi >= 192))
        engine->SetZoomFactor(webView, static_cast<float>(dpi) / 96.0f);
    if (!startUrl_.empty()) Navigate(startUrl_);
}

void CWebBrowserDlg::Navigate(const std::wstring& address) {
    shownUrl_ = address;
    if (view_) view_->Navigate(address.c_str());
}

void CWebBrowserDlg::ShowStep(int page) {
    if (auto* step = Find<CTabLayoutUI>(L"step")) step->SelectItem(page);
}

void CWebBrowserDlg::OnWkeURLChanged(CWkeWebkitUI*, LPCTSTR url) {
    if (url) shownUrl_ = url;
}

void CWebBrowserDlg::OnWkeLoadingFinish(CWkeWebkitUI*, LPCTSTR url, int result, LPCTSTR) {
    if (url && *url) shownUrl_ = url;
    if (result == 1) ShowStep(kErrorStep);
}

LPCTSTR CWebBrowserDlg::OnWkeTextMessage(CWkeWebkitUI*, LPCTSTR text) {
    // Only the account service's own pages may end the sign-in.
    if (!text || !IsAddressOnHost(shownUrl_, trustedHost_)) return L"";
    message_.assign(text, wcsnlen(text, kMaxMessage));
    if (!message_.empty() && message_.front() == L'{') ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    return L"";
}

void CWebBrowserDlg::OnClick(const std::wstring& name) {
    if (name == L"btnClose") return CloseDialog();
    if (name == L"btnRefresh") {
        ShowStep(kPageStep);
        if (view_) view_->Reload();
        // The start address again, not the page that failed.
        return Navigate(startUrl_);
    }
    if (name == L"btnBack" && view_) return view_->Back();
    if (name == L"btnforward" && view_) return view_->Forward();
    if (name == L"btnGo") {
        if (auto* address = Find(L"urlEdit")) Navigate(address->GetText());
    }
}

void CWebBrowserDlg::Notify(TNotifyUI& msg) {
    if (msg.sType == DUI_MSGTYPE_RETURN && msg.pSender && msg.pSender->GetName() == L"urlEdit")
        return Navigate(msg.pSender->GetText());
    CDialogWindow::Notify(msg);
}

LRESULT CWebBrowserDlg::OnClose(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) {
    FadeOut(kFadeOutMs);
    return CDialogWindow::OnClose(message, wParam, lParam, handled);
}

std::wstring BrowseForMessage(HWND owner, const std::wstring& title, const std::wstring& caption,
                              const std::wstring& startUrl, const std::wstring& trustedHost) {
    std::wstring message;
    (new CWebBrowserDlg(title, caption, startUrl, trustedHost, message))->OpenModal(owner);
    return message;
}
