#pragma once

#include <windows.h>

// Shakes the window sideways a few times: the answer to a drop that brought
// nothing the program can use.
void ShakeWindow(HWND window);
