#include "platform/uilib/controls/WkeWebkitUI.h"

#include "platform/uilib/controls/WkeEngine.h"
#include "platform/uilib/core/PaintManagerUI.h"

namespace {

// The engine's window type for a view that is a child of a given window.
constexpr int kControlWindow = 1;

void __cdecl LoadingFinished(void*, void* param, const wchar_t* url, int result,
                             const wchar_t* failedReason) {
    static_cast<CWkeWebkitUI*>(param)->DeliverLoadingFinish(url, result, failedReason);
}

const wchar_t* __cdecl TextMessage(void*, void* param, const wchar_t* text) {
    return static_cast<CWkeWebkitUI*>(param)->DeliverTextMessage(text);
}

}  // namespace

CWkeWebkitUI::CWkeWebkitUI() { bkColor_ = 0xFFFFFFFF; }

CWkeWebkitUI::~CWkeWebkitUI() {
    const WkeEngine* engine = WkeEngine::Get();
    if (view_ && engine && engine->DestroyWebWindow) {
        engine->DestroyWebWindow(view_);
    }
}

std::wstring CWkeWebkitUI::GetClass() const { return L"WkeWebkit"; }

bool CWkeWebkitUI::EnsureView() {
    if (view_) {
        return true;
    }
    const WkeEngine* engine = manager_ && manager_->GetPaintWindow() ? WkeEngine::Get() : nullptr;
    if (!engine) {
        return false;
    }
    view_ = engine->CreateWebWindow(kControlWindow, manager_->GetPaintWindow(), pos_.left, pos_.top,
                                    pos_.right - pos_.left, pos_.bottom - pos_.top);
    if (!view_) {
        return false;
    }
    if (engine->OnLoadingFinish) {
        engine->OnLoadingFinish(view_, LoadingFinished, this);
    }
    if (engine->OnTextMessage) {
        engine->OnTextMessage(view_, TextMessage, this);
    }
    if (!url_.empty()) {
        Navigate(url_.c_str());
    }
    return true;
}

void CWkeWebkitUI::Navigate(LPCTSTR url) {
    url_ = url ? url : L"";
    const WkeEngine* engine = WkeEngine::Get();
    if (view_ && engine->LoadURLW) {
        engine->LoadURLW(view_, url_.c_str());
    }
}

void CWkeWebkitUI::DeliverLoadingFinish(LPCTSTR url, int result, LPCTSTR failedReason) {
    if (callback_) {
        callback_->OnWkeLoadingFinish(this, url ? url : L"", result,
                                      failedReason ? failedReason : L"");
    }
}

LPCTSTR CWkeWebkitUI::DeliverTextMessage(LPCTSTR text) {
    return callback_ ? callback_->OnWkeTextMessage(this, text ? text : L"") : L"";
}

void CWkeWebkitUI::ExecuteJS(LPCTSTR script) {
    const WkeEngine* engine = WkeEngine::Get();
    if (view_ && script && engine->RunJSW) {
        engine->RunJSW(view_, script);
    }
}

void CWkeWebkitUI::Back() {
    const WkeEngine* engine = WkeEngine::Get();
    if (view_ && engine->GoBack) {
        engine->GoBack(view_);
    }
}

void CWkeWebkitUI::Forward() {
    const WkeEngine* engine = WkeEngine::Get();
    if (view_ && engine->GoForward) {
        engine->GoForward(view_);
    }
}

void CWkeWebkitUI::Reload() {
    const WkeEngine* engine = WkeEngine::Get();
    if (view_ && engine->Reload) {
        engine->Reload(view_);
    }
}

void CWkeWebkitUI::SetPos(RECT rect, bool needInvalidate) {
    CControlUI::SetPos(rect, needInvalidate);
    if (!EnsureView()) {
        return;
    }
    const WkeEngine* engine = WkeEngine::Get();
    if (engine->MoveWindow) {
        engine->MoveWindow(view_, pos_.left, pos_.top, pos_.right - pos_.left,
                           pos_.bottom - pos_.top);
    }
    if (engine->ShowWindow) {
        engine->ShowWindow(view_, IsVisible());
    }
}

void CWkeWebkitUI::SetVisible(bool visible) {
    CControlUI::SetVisible(visible);
    const WkeEngine* engine = WkeEngine::Get();
    if (view_ && engine->ShowWindow) {
        engine->ShowWindow(view_, IsVisible());
    }
}

void CWkeWebkitUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
    const WkeEngine* engine = WkeEngine::Get();
    if (view_ && engine->ShowWindow) {
        engine->ShowWindow(view_, IsVisible());
    }
}

void CWkeWebkitUI::SetAttribute(LPCTSTR name, LPCTSTR value) {
    if (std::wstring_view(name) == L"url") {
        Navigate(value);
    } else {
        CControlUI::SetAttribute(name, value);
    }
}
