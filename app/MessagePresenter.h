#pragma once

#include <windows.h>

#include <functional>
#include <string>

// What the program tells the user in one message: shown modally over owner
// with MessageBox-style flags (icon and buttons).
struct MessageRequest {
    HWND owner = nullptr;
    std::wstring caption;
    std::wstring body;
    UINT flags = 0;
};

// Shows a message and returns the button that closed it (IDOK, IDYES, IDNO ...).
using MessagePresenter = std::function<int(const MessageRequest&)>;

// Replaces the presenter of every message of the process; an empty function
// restores the default, a system message box with the same caption, body and
// flags. Tests use it to capture messages; set it before other threads show any.
void SetMessagePresenter(MessagePresenter presenter);

// Shows request with the current presenter; safe from any thread.
int PresentMessage(const MessageRequest& request);
