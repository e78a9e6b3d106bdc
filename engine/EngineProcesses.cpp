#include "engine/EngineProcesses.h"

#include <windows.h>
// tlhelp32.h needs the types of windows.h.
#include <tlhelp32.h>

#include <cwctype>

#include "common/Win32Handles.h"

namespace {

// How long a terminated process gets to disappear.
constexpr DWORD kTerminationWaitMs = 1000;

std::wstring LowerCase(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

void EndProcess(DWORD id) {
    KernelHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (!process) return;
    if (TerminateProcess(process.get(), 0)) WaitForSingleObject(process.get(), kTerminationWaitMs);
}

}  // namespace

void EndProcessesNamed(const std::wstring& exeName) {
    KernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!Valid(snapshot)) return;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (LowerCase(entry.szExeFile) == exeName) EndProcess(entry.th32ProcessID);
    }
}
