// A stand-in web engine for the dialog tests: a plain child window per
// view, and a record of every call. Built twice: whole as "node.dll", and,
// with PIMLO_FAKE_WEB_PARTIAL, without wkeSetCookieJarPath and wkeReload.
#include "tests/ui/FakeWebEngine.h"

#define FAKE_EXPORT extern "C" __declspec(dllexport)

namespace {

FakeWebState g_state;

}  // namespace

FAKE_EXPORT FakeWebState* __cdecl fakeWebState() { return &g_state; }

FAKE_EXPORT void __cdecl wkeInitializeEx(const void*) { ++g_state.initialised; }
FAKE_EXPORT void __cdecl wkeShutdown() {}
FAKE_EXPORT void __cdecl wkeSetMemoryCacheEnable(void*, bool enable) {
    g_state.memoryCache = enable;
}
FAKE_EXPORT void __cdecl wkeSetZoomFactor(void*, float factor) { g_state.zoom = factor; }
FAKE_EXPORT void* __cdecl wkeCreateWebWindow(int, HWND parent, int x, int y, int width,
                                             int height) {
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD, x, y, width, height, parent, nullptr,
                           nullptr, nullptr);
}
FAKE_EXPORT void __cdecl wkeDestroyWebWindow(void* view) { DestroyWindow(static_cast<HWND>(view)); }
FAKE_EXPORT void __cdecl wkeMoveWindow(void* view, int x, int y, int width, int height) {
    MoveWindow(static_cast<HWND>(view), x, y, width, height, TRUE);
}
FAKE_EXPORT void __cdecl wkeShowWindow(void* view, bool show) {
    ShowWindow(static_cast<HWND>(view), show ? SW_SHOW : SW_HIDE);
}
FAKE_EXPORT void __cdecl wkeLoadURLW(void*, const wchar_t* url) {
    g_state.url = url ? url : L"";
    g_state.urls.push_back(g_state.url);
}
FAKE_EXPORT long long __cdecl wkeRunJSW(void*, const wchar_t* script) {
    g_state.scripts.push_back(script ? script : L"");
    return 0;
}
FAKE_EXPORT bool __cdecl wkeGoBack(void*) { return false; }
FAKE_EXPORT bool __cdecl wkeGoForward(void*) { return false; }
FAKE_EXPORT void __cdecl wkeOnLoadingFinish(void*, void*, void*) {}
FAKE_EXPORT void __cdecl wkeOnTextMessage(void*, void*, void*) {}
#ifndef PIMLO_FAKE_WEB_PARTIAL
FAKE_EXPORT void __cdecl wkeSetCookieJarPath(void*, const wchar_t* folder) {
    g_state.cookieFolder = folder ? folder : L"";
}
FAKE_EXPORT void __cdecl wkeReload(void*) { ++g_state.reloads; }
#endif
