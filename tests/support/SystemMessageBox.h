#pragma once
// Reads and answers a message box of the system's (MessageBox, window class
// "#32770") that another process shows.

#include <windows.h>

#include <string>

// The message box with the caption that the process shows, or null.
inline HWND SystemMessageBoxOf(DWORD processId, const wchar_t* caption) {
    for (HWND box = FindWindowW(L"#32770", caption); box;
         box = FindWindowExW(nullptr, box, L"#32770", caption)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        if (owner == processId) return box;
    }
    return nullptr;
}

// Waits up to timeoutMs for the process to show a message box with the
// caption, answers it with OK and returns its text; empty when the process
// ended, or the time passed, without one.
inline std::wstring AnswerSystemMessageBox(HANDLE process, const wchar_t* caption,
                                           DWORD timeoutMs = 30000) {
    const DWORD processId = GetProcessId(process);
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
        if (HWND box = SystemMessageBoxOf(processId, caption)) {
            // 0xFFFF: the message box's text control.
            wchar_t text[512] = {};
            GetDlgItemTextW(box, 0xFFFF, text, 512);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return text;
        }
        if (WaitForSingleObject(process, 100) == WAIT_OBJECT_0) break;
    }
    return {};
}
