#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The web engine "node.dll" of the program's folder, as the comparison view
// and the browser dialog load it when they open. The engine's own view
// functions are reached through the UI library's web view control; the
// calls the windows make themselves are these.
struct WebEngineCalls {
    void(__cdecl* SetMemoryCacheEnable)(void* view, bool enable);
    void(__cdecl* SetZoomFactor)(void* view, float factor);
    void(__cdecl* SetCookieJarPath)(void* view, const wchar_t* folder);
};

// Loads the engine for window. Without "node.dll" or its wkeInitializeEx
// the message "InitNodeDllFailed" is shown over owner, window is asked to
// close and the answer is null. Otherwise the engine is initialised (again:
// that is harmless), every function of its interface that it lacks is
// named in a notice of its own, and the answer holds the calls it has (a
// missing one is null).
const WebEngineCalls* LoadWebEngine(HWND window, HWND owner);

// The same from another file, for the tests' engines.
const WebEngineCalls* LoadWebEngineFrom(const std::wstring& path, HWND window, HWND owner);

// How a missing function is told: a message box "wke api not found" with
// the function's name as its caption, unless a test puts another notice
// here (null puts the box back).
void SetMissingFunctionNotice(std::function<void(const char* name)> notice);
