#pragma once

#include <windows.h>

#include <string>

#include "ui/dialogs/DialogWindow.h"
#include "ui/dialogs/WebEngineLoader.h"

// The browser dialog ("dlg_webbrowser.xml"): one web page in the view "ie",
// which hands back one message. The sign-in pages of the account service
// send a JSON text ("{…}") when the user has signed in; such a text closes
// the dialog at once. A page that can not load gives way to the error page,
// whose "重 试" loads the start address again.
class CWebBrowserDlg : public CDialogWindow, public IWkeCallback {
public:
    // Only the pages of trustedHost may send the message; message holds the
    // last text they sent when the window closes (empty for none).
    CWebBrowserDlg(std::wstring title, std::wstring caption, std::wstring startUrl,
                   std::wstring trustedHost, std::wstring& message);

    // IWkeCallback
    void OnWkeURLChanged(CWkeWebkitUI* view, LPCTSTR url) override;
    void OnWkeLoadingFinish(CWkeWebkitUI* view, LPCTSTR url, int result,
                            LPCTSTR failedReason) override;
    LPCTSTR OnWkeTextMessage(CWkeWebkitUI* view, LPCTSTR text) override;

private:
    std::wstring title_;
    std::wstring caption_;
    std::wstring startUrl_;
    std::wstring trustedHost_;
    std::wstring& message_;
    std::wstring shownUrl_;  // the page the view shows
    CWkeWebkitUI* view_ = nullptr;

    DWORD WindowStyle() const override;
    std::wstring WindowTitle() const override { return title_; }
    void Init() override;
    void OnClick(const std::wstring& name) override;
    void Notify(TNotifyUI& msg) override;
    LRESULT OnClose(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled) override;
    void Navigate(const std::wstring& address);
    void ShowStep(int page);
};

// Shows the page at startUrl in the browser dialog over owner until it is
// closed; the message a page of trustedHost sent, or empty.
std::wstring BrowseForMessage(HWND owner, const std::wstring& title, const std::wstring& caption,
                              const std::wstring& startUrl, const std::wstring& trustedHost);
