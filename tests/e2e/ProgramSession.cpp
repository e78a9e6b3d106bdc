#include "tests/e2e/ProgramSession.h"

#include <cstdio>

#include "common/FileSystem.h"
#include "platform/uilib/drive/DriveClient.h"
#include "platform/uilib/drive/DriveProtocol.h"
#include "tests/support/ServiceHosts.h"

namespace {

constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kPollMs = 50;

HANDLE StartProgram(const std::wstring& arguments) {
    // The program contacts its service hosts as it starts: a folder that
    // would let it fall back to the compiled-in hosts is refused.
    if (!ServiceHostsOnLoopback(PIMLO_INSTALL_DIR)) {
        std::fwprintf(stderr,
                      L"%ls\\oem.ini names a service host off this machine (or none); "
                      L"the program is not started\n",
                      PIMLO_INSTALL_DIR);
        return nullptr;
    }
    const std::wstring program = JoinPath(PIMLO_INSTALL_DIR, L"PimloOCR.exe");
    std::wstring line = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        PIMLO_INSTALL_DIR, &startup, &started))
        return nullptr;
    CloseHandle(started.hThread);
    return started.hProcess;
}

BOOL CALLBACK CountProgramWindows(HWND window, LPARAM count) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpW(name, ProgramSession::kWindowClass) == 0) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

}  // namespace

ProgramSession::ProgramSession(const std::wstring& arguments) : process_(StartProgram(arguments)) {
    for (DWORD waited = 0; process_ && waited < kStartTimeoutMs; waited += kPollMs) {
        window_ = FindWindowW(kWindowClass, nullptr);
        if (window_) break;
        if (WaitForSingleObject(process_, kPollMs) == WAIT_OBJECT_0) break;
    }
}

ProgramSession::~ProgramSession() {
    if (!process_) return;
    if (!WaitForExit(0)) {
        if (window_) PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
        if (!WaitForExit(5000)) TerminateProcess(process_, 1);
    }
    CloseHandle(process_);
}

bool ProgramSession::WaitForExit(DWORD timeoutMs) const {
    return process_ && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

std::wstring ProgramSession::Query(const std::wstring& control) const {
    Settle();
    return AskDrivenWindow(window_, kDriveQuery, control);
}

std::wstring ProgramSession::Value(const std::wstring& control, const std::wstring& key) const {
    return AnswerValue(Query(control), key);
}

bool ProgramSession::Click(const std::wstring& control) const {
    // A page that is still sliding in refuses clicks on its controls for a moment.
    return WaitFor([&] {
        Settle();
        return AnswerValue(AskDrivenWindow(window_, kDriveClick, control), L"clicked") == L"1";
    });
}

void ProgramSession::Drop(const std::wstring& pathsOneALine) const {
    AskDrivenWindow(window_, kDriveDrop, pathsOneALine);
    Settle();
}

bool ProgramSession::HoldKey(int virtualKey, bool down) const {
    const std::wstring argument = std::to_wstring(virtualKey) + (down ? L" down" : L" up");
    return AnswerValue(AskDrivenWindow(window_, kDriveKey, argument), L"key") ==
           std::to_wstring(virtualKey);
}

bool ProgramSession::WaitFor(const std::function<bool()>& condition, DWORD timeoutMs,
                             DWORD pollMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += pollMs) {
        if (condition()) return true;
        Sleep(pollMs);
    }
    return condition();
}

void ProgramSession::Settle() const {
    // A message sent to the window is handled after everything posted before it.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
}

DWORD ProgramSession::RunToEnd(const std::wstring& arguments) {
    HANDLE process = StartProgram(arguments);
    if (!process) return static_cast<DWORD>(-1);
    WaitForSingleObject(process, kStartTimeoutMs);
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    return exitCode;
}

int ProgramSession::WindowCount() {
    int count = 0;
    EnumWindows(CountProgramWindows, reinterpret_cast<LPARAM>(&count));
    return count;
}

bool ProgramSession::WaitForRunEnd(DWORD timeoutMs) const {
    WaitFor([&] { return Value(L"buttonOCR", L"enabled") == L"0"; }, 2000);
    return WaitFor([&] { return Value(L"buttonOCR", L"enabled") == L"1" && !Visible(L"scanAni"); },
                   timeoutMs);
}
