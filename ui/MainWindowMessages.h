#pragma once

#include <windows.h>

#include "capture/CaptureMessages.h"  // WM_SCREENCUT_DONE (WM_USER + 7), from the capture overlay
#include "services/UpdateMessages.h"  // WM_UPDATE_CHECKED (WM_USER + 9), from the update check

// Messages the main window receives from other threads and windows.
inline constexpr UINT WM_OCR_FILE_DONE = WM_USER + 6;  // the batch worker, one picture done
inline constexpr UINT WM_LOGIN_STATE = WM_USER + 8;    // the sign-in check: 1 signed in, 0 not

// The capture hot key's id.
inline constexpr int kCaptureHotKeyId = 1;
