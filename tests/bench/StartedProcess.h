#pragma once
// A program the benchmarks start and time, its handles closed once.

#include <windows.h>

#include <string>

class StartedProcess {
public:
    // Starts the command line (the program's path quoted first); Started()
    // says whether it runs.
    explicit StartedProcess(std::wstring commandLine) {
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process_) != FALSE;
    }
    ~StartedProcess() {
        if (!started_) return;
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    StartedProcess(const StartedProcess&) = delete;
    StartedProcess& operator=(const StartedProcess&) = delete;

    bool Started() const { return started_; }
    HANDLE Handle() const { return process_.hProcess; }

private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
};
