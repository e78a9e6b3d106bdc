#pragma once

#include <windows.h>

#include <deque>
#include <string>

#include "platform/webengine/WkeInterface.h"

// One web view behind the engine's C interface. Two back ends implement it: the system's web
// browser control (BrowserView) and the built-in picture view (BuiltInView). The base keeps the
// callbacks and delivers loading finished from the view's own window procedure, so a callback
// never runs inside the call that started the loading.
class WebView {
public:
    virtual ~WebView() = default;
    WebView(const WebView&) = delete;
    WebView& operator=(const WebView&) = delete;

    virtual void Move(int x, int y, int width, int height) = 0;
    virtual void Show(bool show) = 0;
    virtual void Load(const std::wstring& url) = 0;
    virtual void RunScript(const std::wstring& script) = 0;
    virtual bool GoBack() = 0;
    virtual bool GoForward() = 0;
    virtual void Reload() = 0;
    // factor is already within the engine's bounds.
    virtual void SetZoom(float factor) = 0;
    virtual void SetMemoryCache(bool enable) = 0;

    void SetLoadingFinishCallback(WkeLoadingFinishCallback callback, void* param);
    void SetTextMessageCallback(WkeTextMessageCallback callback, void* param);

protected:
    // The message a back end's window procedure passes to DeliverLoadingFinished.
    static constexpr UINT kDeliverLoadingFinished = WM_APP + 0x57;

    WebView() = default;

    // Queues a loading finished for the view's window; nothing when the window is gone.
    void QueueLoadingFinished(HWND window, const std::wstring& url, int result,
                              const std::wstring& failedReason);
    // Delivers the oldest queued one. The callback may destroy this view: return at once after.
    void DeliverLoadingFinished();
    // Hands a page's text to the callback; the answer stays valid until the next message.
    const std::wstring& DeliverTextMessage(const std::wstring& text);

private:
    struct LoadingFinished {
        std::wstring url;
        int result;
        std::wstring failedReason;
    };

    WkeLoadingFinishCallback loadingFinish_ = nullptr;
    void* loadingFinishParam_ = nullptr;
    WkeTextMessageCallback textMessage_ = nullptr;
    void* textMessageParam_ = nullptr;
    std::deque<LoadingFinished> queued_;
    std::wstring textAnswer_;
};
