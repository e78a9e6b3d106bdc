#pragma once

#include <windows.h>

class CPaintManagerUI;

// The answering side of the test driver (see drive/README in the folder's
// README): a WM_COPYDATA request tagged with the registered message
// "PimloUI.Drive". Answers are sent back with WM_COPYDATA to the sender
// window. False when the data is no driver request.
bool HandleDriveRequest(CPaintManagerUI& manager, HWND sender, const COPYDATASTRUCT* data);
