#pragma once

#include <windows.h>

// The web engine "node.dll", loaded on first use from the program's folder
// (by its full path: a missing engine is never looked for in the current
// folder or the PATH, where a planted one could wait). Only the calls the web view control makes
// are looked up here; each may be missing, and a missing engine leaves every
// pointer null. The page-to-host hook "wkeOnTextMessage" is our engine's
// delivery of window.external.notify(text).
struct WkeEngine {
    using WebView = void*;
    using LoadingFinished = void(__cdecl*)(WebView view, void* param, const wchar_t* url,
                                           int result, const wchar_t* failedReason);
    using TextMessage = const wchar_t*(__cdecl*)(WebView view, void* param, const wchar_t* text);

    WebView(__cdecl* CreateWebWindow)(int type, HWND parent, int x, int y, int width, int height);
    void(__cdecl* DestroyWebWindow)(WebView view);
    void(__cdecl* MoveWindow)(WebView view, int x, int y, int width, int height);
    void(__cdecl* ShowWindow)(WebView view, bool show);
    void(__cdecl* LoadURLW)(WebView view, const wchar_t* url);
    long long(__cdecl* RunJSW)(WebView view, const wchar_t* script);
    bool(__cdecl* GoBack)(WebView view);
    bool(__cdecl* GoForward)(WebView view);
    void(__cdecl* Reload)(WebView view);
    void(__cdecl* OnLoadingFinish)(WebView view, LoadingFinished callback, void* param);
    void(__cdecl* OnTextMessage)(WebView view, TextMessage callback, void* param);

    // The process's engine; null when node.dll or wkeCreateWebWindow is missing.
    static const WkeEngine* Get();
};
