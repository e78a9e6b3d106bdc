#include "platform/uilib/drive/DriveServer.h"

// The shipped library: no request is a driver request, so WM_COPYDATA goes on
// to the window as any other message.
bool HandleDriveRequest(CPaintManagerUI&, HWND, const COPYDATASTRUCT*) { return false; }
