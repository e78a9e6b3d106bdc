// The system's calls behind the desktop-user launch.
#include "services/DesktopUserLaunch.h"

namespace {

using CreateProcessWithToken = BOOL(WINAPI*)(HANDLE, DWORD, LPCWSTR, LPWSTR, DWORD, LPVOID, LPCWSTR,
                                             LPSTARTUPINFOW, LPPROCESS_INFORMATION);

class System : public DesktopLaunchCalls {
public:
    HANDLE OpenOwnToken() override {
        HANDLE token = nullptr;
        return OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token) ? token
                                                                                      : nullptr;
    }

    bool EnableIncreaseQuota(HANDLE token) override {
        TOKEN_PRIVILEGES privileges = {};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (!LookupPrivilegeValueW(nullptr, SE_INCREASE_QUOTA_NAME, &privileges.Privileges[0].Luid))
            return false;
        SetLastError(ERROR_SUCCESS);
        // Success with ERROR_NOT_ALL_ASSIGNED means the privilege is not held.
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        return GetLastError() == ERROR_SUCCESS;
    }

    HWND ShellWindow() override { return GetShellWindow(); }

    DWORD ProcessOf(HWND window) override {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        return process;
    }

    HANDLE OpenProcessToQuery(DWORD processId) override {
        return OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    }

    HANDLE OpenTokenToDuplicate(HANDLE process) override {
        HANDLE token = nullptr;
        return OpenProcessToken(process, TOKEN_DUPLICATE, &token) ? token : nullptr;
    }

    HANDLE PrimaryCopy(HANDLE token) override {
        constexpr DWORD kRights = TOKEN_QUERY | TOKEN_ASSIGN_PRIMARY | TOKEN_DUPLICATE |
                                  TOKEN_ADJUST_DEFAULT | TOKEN_ADJUST_SESSIONID;
        HANDLE primary = nullptr;
        return DuplicateTokenEx(token, kRights, nullptr, SecurityImpersonation, TokenPrimary,
                                &primary)
                   ? primary
                   : nullptr;
    }

    bool CreateWithToken(HANDLE token, const wchar_t* application, wchar_t* commandLine,
                         const wchar_t* folder, STARTUPINFOW& startup,
                         PROCESS_INFORMATION& started) override {
        HMODULE advapi = LoadLibraryW(L"Advapi32.dll");
        if (!advapi) return false;
        const auto create = reinterpret_cast<CreateProcessWithToken>(
            reinterpret_cast<void*>(GetProcAddress(advapi, "CreateProcessWithTokenW")));
        const bool created = create && create(token, 0, application, commandLine, 0, nullptr,
                                              folder, &startup, &started);
        // The failure's own error, not FreeLibrary's.
        const DWORD error = GetLastError();
        FreeLibrary(advapi);
        SetLastError(error);
        return created;
    }

    DWORD LastError() override { return GetLastError(); }

    void Close(HANDLE handle) override { CloseHandle(handle); }
};

}  // namespace

DesktopLaunchCalls& SystemDesktopLaunchCalls() {
    static System calls;
    return calls;
}
