#pragma once

#include <windows.h>

// Opens the clipboard for owner. Another program may hold it open for a
// moment (a clipboard manager reading what was just copied), so it is asked
// again for up to 250 ms; false when it stays busy.
bool OpenClipboardWhenFree(HWND owner);
