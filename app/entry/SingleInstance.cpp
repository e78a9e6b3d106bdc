#include "app/entry/SingleInstance.h"

#include <windows.h>

bool ActivateRunningInstance(const wchar_t* windowClass) {
    HWND running = FindWindowW(windowClass, nullptr);
    if (!running) return false;
    ShowWindow(running, SW_SHOW);
    SetForegroundWindow(running);
    return true;
}
