#pragma once

#include <windows.h>

// Posted to the capture's owner window when a picture was saved (both
// parameters 0); the owner reads its path from the capture object.
inline constexpr UINT WM_SCREENCUT_DONE = WM_USER + 7;
