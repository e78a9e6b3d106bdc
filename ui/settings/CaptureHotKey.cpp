#include "ui/settings/CaptureHotKey.h"

#include "ui/MainWindowMessages.h"

int32_t CaptureHotKeyValue(WORD virtualKey, WORD modifiers) {
    return static_cast<int32_t>(virtualKey) * 65536 + modifiers;
}

void MoveCaptureHotKey(HWND mainWindow, int32_t oldValue, int32_t newValue) {
    if (oldValue != 0) UnregisterHotKey(mainWindow, kCaptureHotKeyId);
    // A cleared field means no hot key at all, not a registration of key 0.
    if (newValue == 0) return;
    RegisterHotKey(mainWindow, kCaptureHotKeyId, LOWORD(newValue), HIWORD(newValue));
}
