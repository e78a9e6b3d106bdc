#pragma once

#include <windows.h>
#include <exdisp.h>
#include <ole2.h>

#include <memory>
#include <string>

#include "common/Win32Handles.h"
#include "platform/webengine/BrowserEvents.h"
#include "platform/webengine/WebView.h"

class BrowserSite;
class ExternalObject;

// The system's web browser control (IWebBrowser2) hosted in-place in a child window of our own.
// Pages reach the host through window.external.notify(text); the top page's DocumentComplete and
// NavigateError give loading finished 0 and 1.
class BrowserView : public WebView, private BrowserEventHandler {
public:
    // Null when this thread cannot host OLE controls, or the control or the system's HTML
    // document engine cannot be created: the caller then uses another view.
    static std::unique_ptr<BrowserView> Create(HWND parent, const RECT& place);
    ~BrowserView() override;

    void Move(int x, int y, int width, int height) override;
    void Show(bool show) override;
    void Load(const std::wstring& url) override;
    void RunScript(const std::wstring& script) override;
    bool GoBack() override;
    bool GoForward() override;
    void Reload() override;
    void SetZoom(float factor) override;
    void SetMemoryCache(bool enable) override { memoryCache_ = enable; }

private:
    BrowserView() = default;

    static bool HtmlEngineAvailable();
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    bool Embed(HWND parent, const RECT& place);
    void Teardown();
    void FitControl();
    void ApplyZoom();
    bool IsTopFrame(IDispatch* frame) const;

    void OnBeforeNavigate(IDispatch* frame) override;
    void OnDocumentComplete(IDispatch* frame, const std::wstring& url) override;
    bool OnNavigateError(IDispatch* frame, const std::wstring& url, long status) override;

    bool oleInitialized_ = false;
    HWND window_ = nullptr;
    ComOwner<IOleObject> object_;
    ComOwner<IWebBrowser2> browser_;
    ComOwner<IConnectionPoint> connection_;
    DWORD connectionCookie_ = 0;
    // Counted references of our own COM objects, released in Teardown.
    BrowserSite* site_ = nullptr;
    ExternalObject* external_ = nullptr;
    BrowserEvents* events_ = nullptr;
    bool memoryCache_ = true;
    // The page zoom in percent (OLECMDID_OPTICAL_ZOOM's unit).
    long zoomPercent_ = 100;
    // The top page's navigation failed: its later DocumentComplete (an error page) is no success.
    bool navigationFailed_ = false;
};
