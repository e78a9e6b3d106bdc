#pragma once

#include <windows.h>

// The test driver's protocol, shared by the library and uidrive.exe.
// Request: WM_COPYDATA to the window, wParam the driver's window, dwData
// DriveTag(), data the UTF-16 text "COMMAND\nCONTROLNAME" with COMMAND
// "query" or "click" (the control: the visible one of that name, else the
// first). Answer: WM_COPYDATA back to the driver's window with
// the same tag and UTF-16 "key=value" lines, the first "found=1" or "found=0".
// query answers name, class, text, visible, enabled, selected and the screen
// rectangle left/top/right/bottom; click answers clicked=1, or clicked=0 with
// reason=hidden|disabled|covered, and posts the mouse messages of a click.

inline constexpr wchar_t kDriveQuery[] = L"query";
inline constexpr wchar_t kDriveClick[] = L"click";
// "drop\nPATH\nPATH...": the window receives WM_DROPFILES with those files, as
// from the shell; the answer is "dropped=N".
inline constexpr wchar_t kDriveDrop[] = L"drop";
// "key\nVK down" or "key\nVK up", VK a virtual-key code in decimal: the
// window's thread sees that key held down, or released, in its key state
// (GetKeyState) until told otherwise, as if the user held it while clicking;
// the answer is "key=VK" and "down=1|0", or "key=0" for a bad argument.
inline constexpr wchar_t kDriveKey[] = L"key";
// "settext\nCONTROLNAME\nTEXT": the control's text becomes TEXT, as if typed;
// the answer is "set=1".
inline constexpr wchar_t kDriveSetText[] = L"settext";
// Web views: query answers the address last navigated to as "url".
// "webtext\nCONTROLNAME\nTEXT": the view receives TEXT from its page, as the
// engine delivers window.external.notify(TEXT); the answer is "answer=" and
// what the receiver answered the page.
inline constexpr wchar_t kDriveWebText[] = L"webtext";
// "webloaded\nCONTROLNAME\nCODE": the view reports its loading finished with
// CODE (0 succeeded, 1 failed, 2 cancelled), as the engine does; the answer
// is "delivered=1".
inline constexpr wchar_t kDriveWebLoaded[] = L"webloaded";

inline ULONG_PTR DriveTag() {
    static const UINT tag = RegisterWindowMessageW(L"PimloUI.Drive");
    return tag;
}
