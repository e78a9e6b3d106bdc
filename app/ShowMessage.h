#pragma once

#include <windows.h>

#include <string_view>

#include "app/MessageKey.h"
#include "app/TextFormat.h"

// The one way the program tells the user something. The caption is the
// "Title" text of section "Message", the body the text of key in that section
// (fallback when that text is empty and a fallback is given); the message is
// shown modally over owner with flags (MB_ICONINFORMATION, MB_ICONERROR,
// MB_YESNO ...). Returns the button that closed it.
int ShowMessage(const MessageKey& key, HWND owner, UINT flags, std::wstring_view fallback = {});

// As ShowMessage, the body used as a format with the one argument.
int ShowFormattedMessage(const MessageKey& key, const FormatArgument& argument, HWND owner,
                         UINT flags);
