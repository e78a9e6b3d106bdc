#pragma once

#include <windows.h>

#include <cstdint>

// The capture hot key as the HotKey setting keeps it: the virtual-key code in
// the high 16 bits, RegisterHotKey's modifier flags in the low 16 bits; 0 is
// no hot key.
int32_t CaptureHotKeyValue(WORD virtualKey, WORD modifiers);

// Moves the main window's capture hot key from oldValue to newValue: the old
// registration is dropped (when there was one) and the new key registered.
// A key the system refuses stays unregistered: it simply never fires.
void MoveCaptureHotKey(HWND mainWindow, int32_t oldValue, int32_t newValue);
