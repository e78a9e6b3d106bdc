// Measures how long the program takes from its process start to its main
// window's first paint (the moment it first waits for input), and its
// working set two seconds later, beside the same figures for the smallest
// window program of this toolchain, in one run. The program starts with its
// service hosts at a closed loopback port and the stored state of an
// ordinary start; both are put back afterwards.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "common/FileSystem.h"
#include "tests/bench/StartedProcess.h"
#include "tests/e2e/ProgramStartState.h"

namespace {

constexpr int kRuns = 5;
constexpr DWORD kSettleMs = 2000;

struct Figures {
    double startMs = 0;
    double workingSetMb = 0;
};

HWND WaitForWindow(const wchar_t* windowClass, HANDLE process) {
    for (int i = 0; i < 600; ++i) {
        HWND window = FindWindowW(windowClass, nullptr);
        if (window && IsWindowVisible(window)) return window;
        if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

bool RunOnce(const std::wstring& program, const wchar_t* windowClass, Figures& figures) {
    const auto start = std::chrono::steady_clock::now();
    StartedProcess programRun(L"\"" + program + L"\"");
    if (!programRun.Started()) return false;
    const HANDLE process = programRun.Handle();
    WaitForInputIdle(process, 60000);
    HWND window = WaitForWindow(windowClass, process);
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    figures.startMs = elapsed.count();
    Sleep(kSettleMs);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(process, &memory, sizeof(memory));
    figures.workingSetMb = memory.WorkingSetSize / (1024.0 * 1024.0);
    if (window) PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
    return window != nullptr;
}

// Median of kRuns runs, after one run that warms the file cache.
bool Measure(const std::wstring& program, const wchar_t* windowClass, Figures& median) {
    Figures warm;
    if (!RunOnce(program, windowClass, warm)) return false;
    std::vector<double> times, sets;
    for (int run = 0; run < kRuns; ++run) {
        Figures figures;
        if (!RunOnce(program, windowClass, figures)) return false;
        times.push_back(figures.startMs);
        sets.push_back(figures.workingSetMb);
    }
    std::sort(times.begin(), times.end());
    std::sort(sets.begin(), sets.end());
    median = {times[kRuns / 2], sets[kRuns / 2]};
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: startup_bench INSTALL_FOLDER\n");
        return 2;
    }
    const std::wstring self = ModuleFilePath();
    const std::wstring minimal =
        JoinPath(self.substr(0, self.find_last_of(L'\\')), L"minimal_window.exe");
    // Every start is the same ordinary one, and reaches no host: the service
    // hosts are a closed loopback port while it runs. Both are put back.
    const ScopedServiceHosts hosts(argv[1], ClosedServiceHosts());
    const ScopedStartState startState;
    if (!ServiceHostsOnLoopback(argv[1])) {
        std::fprintf(stderr, "startup_bench: the install folder's oem.ini can not be written\n");
        return 1;
    }
    Figures program, yardstick;
    if (!Measure(JoinPath(argv[1], L"PimloOCR.exe"), L"PimloOCRWindowClass", program) ||
        !Measure(minimal, L"PimloMinimalWindow", yardstick)) {
        std::fprintf(stderr, "startup_bench: a program did not show its window\n");
        return 1;
    }
    std::printf("%-16s %14s %16s\n", "program", "first paint ms", "working set MB");
    std::printf("%-16s %14.0f %16.1f\n", "PimloOCR", program.startMs, program.workingSetMb);
    std::printf("%-16s %14.0f %16.1f\n", "minimal window", yardstick.startMs,
                yardstick.workingSetMb);
    std::printf("ratio            %14.2f\n", program.startMs / yardstick.startMs);
    return 0;
}
