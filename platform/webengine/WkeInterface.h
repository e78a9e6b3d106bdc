#pragma once

#include <windows.h>

// The C interface of "node.dll", the web engine the program loads at run time. Every function is
// exported by its plain name with the __cdecl convention, in the 32-bit and the 64-bit build.
//
// A view is the engine's handle of one web view: a child window of the caller's window. A null
// view or a null text is ignored (functions that answer give false or 0). A view stays valid until
// wkeDestroyWebWindow, also after its parent window is gone; using it after that is the caller's
// fault. All calls for one view come from the thread that created it, and every callback runs on
// that thread from its message loop, never from inside the call that caused it.

extern "C" {

// Loading finished: result 0 the page was shown, 1 it could not be (failedReason says why), 2 the
// loading was cancelled.
enum WkeLoadingResult { kWkeLoadingSucceeded = 0, kWkeLoadingFailed = 1, kWkeLoadingCanceled = 2 };

typedef void(__cdecl* WkeLoadingFinishCallback)(void* view, void* param, const wchar_t* url,
                                                int result, const wchar_t* failedReason);
// A page called window.external.notify(text). The returned text (may be null) is the call's answer
// in the page; the engine copies it at once. The page's script is still running: the callback must
// not destroy the view (post the window a message instead).
typedef const wchar_t*(__cdecl* WkeTextMessageCallback)(void* view, void* param,
                                                        const wchar_t* text);

// Prepares the engine. Settings are ignored (null is the usual argument). May be called any number
// of times, for example once per window that shows web content.
void __cdecl wkeInitializeEx(const void* settings);
// Nothing to release: views own what they use and are destroyed by their callers.
void __cdecl wkeShutdown();

// Type kWkeChildWindow creates a view as a child window of parent at the given place in parent's
// client area, hidden until wkeShowWindow. Any other type, or a parent that is not a window, gives
// null.
enum WkeWindowType { kWkeChildWindow = 1 };
void* __cdecl wkeCreateWebWindow(int type, HWND parent, int x, int y, int width, int height);
void __cdecl wkeDestroyWebWindow(void* view);
void __cdecl wkeMoveWindow(void* view, int x, int y, int width, int height);
void __cdecl wkeShowWindow(void* view, bool show);

// Starts loading url; loading finished follows for it. The history keeps the address.
void __cdecl wkeLoadURLW(void* view, const wchar_t* url);
// Runs script in the shown page. The answer is always 0: scripts report through
// window.external.notify.
long long __cdecl wkeRunJSW(void* view, const wchar_t* script);
// Back and forward in the view's history: false when there is no such entry.
bool __cdecl wkeGoBack(void* view);
bool __cdecl wkeGoForward(void* view);
// Loads the current address again (loading finished follows).
void __cdecl wkeReload(void* view);

// Callbacks replace earlier ones; a null callback turns the notification off.
void __cdecl wkeOnLoadingFinish(void* view, WkeLoadingFinishCallback callback, void* param);
void __cdecl wkeOnTextMessage(void* view, WkeTextMessageCallback callback, void* param);

// Off: pages are loaded anew from their source every time (default on).
void __cdecl wkeSetMemoryCacheEnable(void* view, bool enable);
// 1.0 is the page's own size; kept between 0.1 and 5 (a value that is not a number is ignored).
void __cdecl wkeSetZoomFactor(void* view, float factor);
// Accepted for compatibility: both back ends keep cookies where the system keeps them.
void __cdecl wkeSetCookieJarPath(void* view, const wchar_t* folder);

}  // extern "C"
