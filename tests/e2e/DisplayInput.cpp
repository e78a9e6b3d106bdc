#include "tests/e2e/DisplayInput.h"

#include <atomic>

#include "common/FileSystem.h"
#include "common/StringConversion.h"

bool Xdotool(const std::string& arguments, DWORD timeoutMs) {
    // Wine starts a Linux program but gives no handle to wait on: the shell
    // around it leaves its exit status in a file, which is waited for.
    static std::atomic<unsigned> counter{0};
    const std::string status = "/tmp/pimlo-xdotool-" + std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(counter++);
    std::wstring command = Utf8ToWide("/bin/sh -c \"xdotool " + arguments + "; echo $? >" + status +
                                      ".part && mv " + status + ".part " + status + "\"");
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
        return false;
    if (process.hProcess) CloseHandle(process.hProcess);
    if (process.hThread) CloseHandle(process.hThread);

    std::wstring statusFile = L"Z:" + Utf8ToWide(status);
    for (wchar_t& c : statusFile) c = c == L'/' ? L'\\' : c;
    std::string code;
    for (DWORD waited = 0; waited < timeoutMs && !ReadFileBytes(statusFile, code); waited += 20)
        Sleep(20);
    DeleteFileW(statusFile.c_str());
    return code.rfind("0", 0) == 0;
}
