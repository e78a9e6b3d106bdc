#pragma once

#include <windows.h>

#include <memory>

#include "platform/webengine/WebView.h"

// A new view at place in parent: the system's browser control where it and its HTML engine can be
// created, else the built-in view. Null only when no window can be made at all.
std::unique_ptr<WebView> CreateWebView(HWND parent, const RECT& place);
