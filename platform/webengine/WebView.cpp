#include "platform/webengine/WebView.h"

void WebView::SetLoadingFinishCallback(WkeLoadingFinishCallback callback, void* param) {
    loadingFinish_ = callback;
    loadingFinishParam_ = param;
}

void WebView::SetTextMessageCallback(WkeTextMessageCallback callback, void* param) {
    textMessage_ = callback;
    textMessageParam_ = param;
}

void WebView::QueueLoadingFinished(HWND window, const std::wstring& url, int result,
                                   const std::wstring& failedReason) {
    if (!window || !IsWindow(window)) {
        return;
    }
    queued_.push_back({url, result, failedReason});
    if (!PostMessageW(window, kDeliverLoadingFinished, 0, 0)) {
        queued_.pop_back();
    }
}

void WebView::DeliverLoadingFinished() {
    if (queued_.empty()) {
        return;
    }
    LoadingFinished next = std::move(queued_.front());
    queued_.pop_front();
    WkeLoadingFinishCallback callback = loadingFinish_;
    if (callback) {
        callback(this, loadingFinishParam_, next.url.c_str(), next.result,
                 next.failedReason.empty() ? nullptr : next.failedReason.c_str());
    }
}

const std::wstring& WebView::DeliverTextMessage(const std::wstring& text) {
    textAnswer_.clear();
    if (textMessage_) {
        const wchar_t* answer = textMessage_(this, textMessageParam_, text.c_str());
        textAnswer_ = answer ? answer : L"";
    }
    return textAnswer_;
}
