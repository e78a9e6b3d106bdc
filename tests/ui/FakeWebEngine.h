#pragma once
// What the tests' stand-in web engine ("node.dll" beside the web dialog
// tests) was asked, read through its export "fakeWebState".

#include <windows.h>

#include <string>
#include <vector>

struct FakeWebState {
    int initialised = 0;             // calls of wkeInitializeEx
    std::wstring url;                // the last address loaded
    std::vector<std::wstring> urls;  // every address loaded, in order
    std::vector<std::wstring> scripts;
    float zoom = 1.0f;
    bool memoryCache = true;
    std::wstring cookieFolder;
    int reloads = 0;
};

using FakeWebStateProc = FakeWebState*(__cdecl*)();

// The state of the engine loaded in this process, or null.
inline FakeWebState* LoadedFakeWebState() {
    HMODULE engine = GetModuleHandleW(L"node.dll");
    auto state = engine ? reinterpret_cast<FakeWebStateProc>(
                              reinterpret_cast<void*>(GetProcAddress(engine, "fakeWebState")))
                        : nullptr;
    return state ? state() : nullptr;
}
