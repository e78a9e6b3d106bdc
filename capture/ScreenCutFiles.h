#pragma once

#include <string>

// Where the next capture is saved in folder: "screen_cutting.jpg", or, when
// that is taken, "screen_cuttingN.jpg" with the first N from 1 up that is free.
std::wstring NextScreenCutPath(const std::wstring& folder);
