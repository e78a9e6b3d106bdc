#include "services/MachineCodeStore.h"

#include <windows.h>
#include <shellapi.h>

#include "app/ShowMessage.h"
#include "common/FileSystem.h"

namespace {

constexpr DWORD kElevatedRunWaitMs = 3000;

}  // namespace

void StoreMachineCodeOnce(const ProductRegistry& registry, MachineProbe& probe) {
    if (registry.MachineCode().empty()) registry.SetMachineCode(ComputeMachineCode(probe));
}

bool RequestElevatedMachineCode() {
    const std::wstring program = ModuleFilePath();
    SHELLEXECUTEINFOW run = {};
    run.cbSize = sizeof(run);
    run.fMask = SEE_MASK_NOCLOSEPROCESS;
    run.lpVerb = L"runas";
    run.lpFile = program.c_str();
    run.lpParameters = L"/makemachine";
    run.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&run)) {
        if (GetLastError() != ERROR_CANCELLED) return true;
        ShowMessage(MessageKeys::CancelLed, nullptr, MB_ICONINFORMATION);
        return false;
    }
    // A run that needs longer leaves this start without a code; the next
    // start finds the stored one.
    if (run.hProcess) {
        WaitForSingleObject(run.hProcess, kElevatedRunWaitMs);
        CloseHandle(run.hProcess);
    }
    return true;
}
