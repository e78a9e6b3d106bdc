#pragma once

#include <string>

#include "platform/uilib/core/ControlUI.h"

class CWkeWebkitUI;

// Receives what happens in a web view (SetWkeCallback). Every slot has a
// default: nothing happens, navigation is allowed, no new view is made.
class UILIB_API IWkeCallback {
public:
    virtual void OnWkeTitleChanged(CWkeWebkitUI*, LPCTSTR) {}
    virtual void OnWkeURLChanged(CWkeWebkitUI*, LPCTSTR) {}
    virtual void OnWkeAlertBox(CWkeWebkitUI*, LPCTSTR) {}
    virtual bool OnWkeNavigation(CWkeWebkitUI*, int, LPCTSTR) { return true; }
    virtual void* OnWkeCreateView(CWkeWebkitUI*, LPCTSTR) { return nullptr; }
    virtual void OnWkeDocumentReady(CWkeWebkitUI*) {}
    // result: 0 succeeded, 1 failed, 2 cancelled.
    virtual void OnWkeLoadingFinish(CWkeWebkitUI*, LPCTSTR, int, LPCTSTR) {}
    // A text the page sent (window.external.notify); the answer goes back
    // to the page.
    virtual LPCTSTR OnWkeTextMessage(CWkeWebkitUI*, LPCTSTR) { return L""; }

protected:
    ~IWkeCallback() = default;
};

// The host of a web view. The engine is "node.dll" beside the program; it
// is loaded when the control first gets a window. Without it the control
// only paints its background and every call does nothing.
class UILIB_API CWkeWebkitUI : public CControlUI {
public:
    CWkeWebkitUI();
    ~CWkeWebkitUI() override;

    std::wstring GetClass() const override;

    void Navigate(LPCTSTR url);
    void ExecuteJS(LPCTSTR script);
    void Back();
    void Forward();
    void Reload();
    // The engine's view handle, null without an engine.
    void* GetWebView() const { return view_; }
    // The address last navigated to.
    const std::wstring& GetURL() const { return url_; }
    // What the engine reports, handed to the callback receiver: loading
    // finished (0 succeeded, 1 failed, 2 cancelled) and a text the page sent,
    // whose answer goes back to the page.
    void DeliverLoadingFinish(LPCTSTR url, int result, LPCTSTR failedReason);
    LPCTSTR DeliverTextMessage(LPCTSTR text);
    void SetWkeCallback(IWkeCallback* callback) { callback_ = callback; }
    IWkeCallback* GetWkeCallback() const { return callback_; }

    void SetPos(RECT rect, bool needInvalidate = true) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;

private:
    bool EnsureView();

    void* view_ = nullptr;
    IWkeCallback* callback_ = nullptr;
    std::wstring url_;
};
