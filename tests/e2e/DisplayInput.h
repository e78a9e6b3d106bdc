#pragma once
// Mouse and keys on the display the program shows on, made by xdotool as a
// user's devices make them: through the X server, to the window under the
// pointer or the one with the focus.

#include <windows.h>

#include <string>

// Runs "xdotool arguments" (for example "mousemove 10 20 click 1") and waits
// up to timeoutMs for it to end; true when it ended and succeeded.
bool Xdotool(const std::string& arguments, DWORD timeoutMs = 10000);
