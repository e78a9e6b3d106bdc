#pragma once

#include <windows.h>

#include <vector>

#include "capture/CaptureGeometry.h"

// The windows on the screen the user may take with a click, in the order
// HitTest walks them: top-level windows in Z order (topmost first), each
// listed after its visible descendants, and every descendant after its own.
// Disabled, invisible and minimised top-level windows are left out, and so
// is skip (the overlay itself). A top-level window offers
// TopLevelCaptureRect within monitor; a descendant its whole window.
std::vector<CaptureCandidate> ListCaptureCandidates(const RECT& monitor, HWND skip);
