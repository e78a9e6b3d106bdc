#include "platform/uilib/controls/WkeEngine.h"

#include <string>

namespace {

template <class Function>
void Find(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

const WkeEngine* WkeEngine::Get() {
    static const WkeEngine* engine = []() -> const WkeEngine* {
        wchar_t path[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return nullptr;
        std::wstring engine = path;
        engine = engine.substr(0, engine.find_last_of(L'\\') + 1) + L"node.dll";
        HMODULE module = LoadLibraryW(engine.c_str());
        if (!module) {
            return nullptr;
        }
        static WkeEngine loaded = {};
        Find(module, "wkeCreateWebWindow", loaded.CreateWebWindow);
        Find(module, "wkeDestroyWebWindow", loaded.DestroyWebWindow);
        Find(module, "wkeMoveWindow", loaded.MoveWindow);
        Find(module, "wkeShowWindow", loaded.ShowWindow);
        Find(module, "wkeLoadURLW", loaded.LoadURLW);
        Find(module, "wkeRunJSW", loaded.RunJSW);
        Find(module, "wkeGoBack", loaded.GoBack);
        Find(module, "wkeGoForward", loaded.GoForward);
        Find(module, "wkeReload", loaded.Reload);
        Find(module, "wkeOnLoadingFinish", loaded.OnLoadingFinish);
        Find(module, "wkeOnTextMessage", loaded.OnTextMessage);
        return loaded.CreateWebWindow ? &loaded : nullptr;
    }();
    return engine;
}
