#include "services/InstallerSignature.h"

#include <windows.h>

#include <softpub.h>
#include <wintrust.h>

bool HasTrustedSignature(const std::wstring& path) {
    WINTRUST_FILE_INFO file = {};
    file.cbStruct = sizeof(file);
    file.pcwszFilePath = path.c_str();

    WINTRUST_DATA data = {};
    data.cbStruct = sizeof(data);
    data.dwUIChoice = WTD_UI_NONE;
    data.fdwRevocationChecks = WTD_REVOKE_NONE;
    data.dwUnionChoice = WTD_CHOICE_FILE;
    data.pFile = &file;
    data.dwStateAction = WTD_STATEACTION_VERIFY;

    GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
    // INVALID_HANDLE_VALUE as the window: there is no interactive user, so
    // nothing is ever shown, as WTD_UI_NONE asks too.
    HWND noUser = static_cast<HWND>(INVALID_HANDLE_VALUE);
    LONG status = WinVerifyTrust(noUser, &action, &data);

    // The verification keeps state until it is closed, whatever it found.
    data.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(noUser, &action, &data);
    return status == ERROR_SUCCESS;
}
