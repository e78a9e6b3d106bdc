// The engine's exported C interface: checks its arguments and hands each call to the view's
// back end.

#include <cmath>
#include <memory>

#include "platform/webengine/WebViewFactory.h"
#include "platform/webengine/WkeInterface.h"

namespace {

WebView* AsView(void* view) { return static_cast<WebView*>(view); }

constexpr float kMinimumZoom = 0.1f;
constexpr float kMaximumZoom = 5.0f;

}  // namespace

extern "C" {

void __cdecl wkeInitializeEx(const void*) {}

void __cdecl wkeShutdown() {}

void* __cdecl wkeCreateWebWindow(int type, HWND parent, int x, int y, int width, int height) {
    if (type != kWkeChildWindow || !parent || !IsWindow(parent)) {
        return nullptr;
    }
    RECT place = {x, y, x + (width > 0 ? width : 0), y + (height > 0 ? height : 0)};
    return CreateWebView(parent, place).release();
}

void __cdecl wkeDestroyWebWindow(void* view) { delete AsView(view); }

void __cdecl wkeMoveWindow(void* view, int x, int y, int width, int height) {
    if (view) {
        AsView(view)->Move(x, y, width > 0 ? width : 0, height > 0 ? height : 0);
    }
}

void __cdecl wkeShowWindow(void* view, bool show) {
    if (view) {
        AsView(view)->Show(show);
    }
}

void __cdecl wkeLoadURLW(void* view, const wchar_t* url) {
    if (view && url && *url) {
        AsView(view)->Load(url);
    }
}

long long __cdecl wkeRunJSW(void* view, const wchar_t* script) {
    if (view && script) {
        AsView(view)->RunScript(script);
    }
    return 0;
}

bool __cdecl wkeGoBack(void* view) { return view && AsView(view)->GoBack(); }

bool __cdecl wkeGoForward(void* view) { return view && AsView(view)->GoForward(); }

void __cdecl wkeReload(void* view) {
    if (view) {
        AsView(view)->Reload();
    }
}

void __cdecl wkeOnLoadingFinish(void* view, WkeLoadingFinishCallback callback, void* param) {
    if (view) {
        AsView(view)->SetLoadingFinishCallback(callback, param);
    }
}

void __cdecl wkeOnTextMessage(void* view, WkeTextMessageCallback callback, void* param) {
    if (view) {
        AsView(view)->SetTextMessageCallback(callback, param);
    }
}

void __cdecl wkeSetMemoryCacheEnable(void* view, bool enable) {
    if (view) {
        AsView(view)->SetMemoryCache(enable);
    }
}

void __cdecl wkeSetZoomFactor(void* view, float factor) {
    if (view && !std::isnan(factor)) {
        AsView(view)->SetZoom(std::fmin(std::fmax(factor, kMinimumZoom), kMaximumZoom));
    }
}

void __cdecl wkeSetCookieJarPath(void*, const wchar_t*) {}

}  // extern "C"
