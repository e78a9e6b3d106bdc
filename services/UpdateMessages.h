#pragma once

#include <windows.h>

// Posted to the owner window when an interactive update check ends; wParam
// is the UpdateOutcome. The window's thread hands it to the updater.
inline constexpr UINT WM_UPDATE_CHECKED = WM_USER + 9;
