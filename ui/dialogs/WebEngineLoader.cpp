#include "ui/dialogs/WebEngineLoader.h"

#include <utility>

#include "app/AppFolders.h"
#include "app/ShowMessage.h"
#include "common/FileSystem.h"

namespace {

// The engine's interface as the program and the UI library use it,
// wkeShutdown first.
constexpr const char* kFunctions[] = {
    "wkeShutdown",        "wkeSetMemoryCacheEnable",
    "wkeSetZoomFactor",   "wkeSetCookieJarPath",
    "wkeCreateWebWindow", "wkeDestroyWebWindow",
    "wkeMoveWindow",      "wkeShowWindow",
    "wkeLoadURLW",        "wkeRunJSW",
    "wkeGoBack",          "wkeGoForward",
    "wkeReload",          "wkeOnLoadingFinish",
    "wkeOnTextMessage",
};

std::function<void(const char*)>& MissingFunctionNotice() {
    static std::function<void(const char*)> notice;
    return notice;
}

void TellMissing(const char* name) {
    if (MissingFunctionNotice()) return MissingFunctionNotice()(name);
    MessageBoxA(nullptr, "wke api not found", name, MB_OK);
}

template <class Function>
Function Find(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

const WebEngineCalls* LoadWebEngine(HWND window, HWND owner) {
    // By full path: a missing engine is never looked for in the current
    // folder or the PATH, where a planted one could wait.
    return LoadWebEngineFrom(JoinPath(InstallFolderOf(ModuleFilePath()), L"node.dll"), window,
                             owner);
}

const WebEngineCalls* LoadWebEngineFrom(const std::wstring& path, HWND window, HWND owner) {
    using Initialize = void(__cdecl*)(const void* settings);
    HMODULE module = LoadLibraryW(path.c_str());
    const auto initialize = module ? Find<Initialize>(module, "wkeInitializeEx") : nullptr;
    if (!initialize) {
        ShowMessage(MessageKeys::InitNodeDllFailed, owner, MB_ICONERROR);
        PostMessageW(window, WM_CLOSE, 0, 0);
        return nullptr;
    }
    initialize(nullptr);
    for (const char* name : kFunctions) {
        if (!GetProcAddress(module, name)) TellMissing(name);
    }
    // One engine per process: a later load finds the same module.
    static WebEngineCalls calls;
    calls.SetMemoryCacheEnable =
        Find<decltype(calls.SetMemoryCacheEnable)>(module, "wkeSetMemoryCacheEnable");
    calls.SetZoomFactor = Find<decltype(calls.SetZoomFactor)>(module, "wkeSetZoomFactor");
    calls.SetCookieJarPath = Find<decltype(calls.SetCookieJarPath)>(module, "wkeSetCookieJarPath");
    return &calls;
}

void SetMissingFunctionNotice(std::function<void(const char* name)> notice) {
    MissingFunctionNotice() = std::move(notice);
}
