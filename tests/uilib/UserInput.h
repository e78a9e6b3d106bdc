#pragma once

#include <windows.h>

#include <string>

// Input as the user makes it: through the system's input queue, to the
// window that has the focus or lies under the cursor.

inline void SendKey(WORD virtualKey, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

// Presses and releases the key while the modifier keys are held.
inline void PressKey(WORD virtualKey, std::initializer_list<WORD> modifiers = {}) {
    for (WORD modifier : modifiers) SendKey(modifier, false);
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    for (WORD modifier : modifiers) SendKey(modifier, true);
}

// Types the text as characters (any script), one key stroke each.
inline void TypeText(const std::wstring& text) {
    for (wchar_t c : text) {
        INPUT input[2] = {};
        for (INPUT& each : input) {
            each.type = INPUT_KEYBOARD;
            each.ki.wScan = c;
            each.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
    }
}

// A left click at a point of the screen.
inline void ClickScreenAt(POINT point) {
    SetCursorPos(point.x, point.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

// The centre of a control's rectangle on the screen.
inline POINT ScreenCentre(HWND window, const RECT& clientRect) {
    POINT centre = {(clientRect.left + clientRect.right) / 2,
                    (clientRect.top + clientRect.bottom) / 2};
    ClientToScreen(window, &centre);
    return centre;
}
