#pragma once

#include <windows.h>

#include <string>

// Opens a web address in the user's browser, maximised: the shell's "open"
// verb, or Internet Explorer with the address when the shell has no handler.
void OpenWebAddress(const std::wstring& address, HWND owner);

// True when address ("scheme://host[:port]/...") is on host ("name" or
// "name:port"), compared without regard to case.
bool IsAddressOnHost(const std::wstring& address, const std::wstring& host);
