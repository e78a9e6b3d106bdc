#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

// What the browser control's events mean to a view. frame is the frame the event is about; the
// view compares it with the control itself to tell the top page from its frames.
class BrowserEventHandler {
public:
    virtual void OnBeforeNavigate(IDispatch* frame) = 0;
    virtual void OnDocumentComplete(IDispatch* frame, const std::wstring& url) = 0;
    // Returns whether the control's own error page should be suppressed.
    virtual bool OnNavigateError(IDispatch* frame, const std::wstring& url, long status) = 0;

protected:
    ~BrowserEventHandler() = default;
};

// The sink of the control's DWebBrowserEvents2, an IDispatch that turns the events the views use
// into calls of a BrowserEventHandler.
class BrowserEvents : public IDispatch {
public:
    explicit BrowserEvents(BrowserEventHandler* handler) : handler_(handler) {}
    // The view is going away: later events do nothing.
    void Detach() { handler_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters,
                                     VARIANT*, EXCEPINFO*, UINT*) override;

private:
    virtual ~BrowserEvents() = default;

    LONG references_ = 1;
    BrowserEventHandler* handler_;
};
