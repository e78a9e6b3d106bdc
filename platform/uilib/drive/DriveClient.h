#pragma once

#include <windows.h>

#include <string>

// The asking side of the test driver, for uidrive.exe and for test programs.

// The window of that class (and of that title, when given) the driver talks
// to: the visible one when several match, else any; null when there is none.
HWND FindDrivenWindow(const wchar_t* className, const wchar_t* title = nullptr);

// Sends one request (a command of DriveProtocol.h and its argument) and waits
// for the answer's key=value lines; empty when the window did not answer.
std::wstring AskDrivenWindow(HWND window, const wchar_t* command, const std::wstring& argument);

// The value of one "key=value" line of an answer, or empty.
std::wstring AnswerValue(const std::wstring& answer, const std::wstring& key);
