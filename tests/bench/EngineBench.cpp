// Runs the offline engine on one picture a number of times, as the program
// does (its own path and the picture's, each quoted, on the command line),
// and reads its text from the clipboard after each run:
//   engine_bench ENGINE PICTURE RUNS TEXT_FILE
// One run first warms the file cache. Prints one line for the driver:
//   median_ms=M peak_mb=P empty=E runs=T1,T2,...
// with the median time from process start to its end, the largest peak
// working set of the runs, and how many runs ended without text (a failure,
// or a run cut short from outside); the last run's text goes to TEXT_FILE in
// UTF-8.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/bench/StartedProcess.h"

namespace {

constexpr wchar_t kResultFormat[] = L"ZIDAV_FMT";
constexpr UINT kEngineCodePage = 936;
constexpr DWORD kPollMs = 10;
constexpr DWORD kRunLimitMs = 60000;

struct Run {
    double ms = 0;
    SIZE_T peakBytes = 0;
    DWORD exitCode = 0;
    std::string text;  // in the engine's code page
};

// Opening the clipboard fails while another program holds it for a moment.
bool OpenClipboardPatiently() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(10);
    }
    return false;
}

// So that a run that leaves nothing is not credited with an earlier result.
void EmptyTheClipboard() {
    if (!OpenClipboardPatiently()) return;
    EmptyClipboard();
    CloseClipboard();
}

std::string ResultOnClipboard(UINT format) {
    std::string text;
    if (!OpenClipboardPatiently()) return text;
    if (HANDLE block = GetClipboardData(format)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(block))) {
            const SIZE_T size = GlobalSize(block);
            text.assign(bytes, std::find(bytes, bytes + size, '\0'));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return text;
}

// The peak working set only grows; the process may be gone by the time its
// end is seen, so it is read while the process runs and once more after.
void NotePeak(HANDLE process, SIZE_T& peak) {
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(process, &memory, sizeof(memory)))
        peak = std::max(peak, memory.PeakWorkingSetSize);
}

bool RunEngine(const std::wstring& engine, const std::wstring& picture, UINT format, Run& run) {
    EmptyTheClipboard();
    const auto start = std::chrono::steady_clock::now();
    StartedProcess engineRun(L"\"" + engine + L"\" \"" + picture + L"\"");
    if (!engineRun.Started()) return false;
    const HANDLE process = engineRun.Handle();
    bool ended = false;
    for (DWORD waited = 0; waited < kRunLimitMs && !ended; waited += kPollMs) {
        NotePeak(process, run.peakBytes);
        ended = WaitForSingleObject(process, kPollMs) == WAIT_OBJECT_0;
    }
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    run.ms = elapsed.count();
    if (!ended) TerminateProcess(process, 1);
    NotePeak(process, run.peakBytes);
    GetExitCodeProcess(process, &run.exitCode);
    run.text = ResultOnClipboard(format);
    return ended;
}

std::string EngineTextAsUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int wideLength = MultiByteToWideChar(kEngineCodePage, 0, text.data(),
                                               static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(wideLength, L'\0');
    MultiByteToWideChar(kEngineCodePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        wideLength);
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(length, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc == 5 ? _wtoi(argv[3]) : 0;
    if (runs < 1) {
        std::fprintf(stderr, "usage: engine_bench ENGINE PICTURE RUNS TEXT_FILE\n");
        return 2;
    }
    const UINT format = RegisterClipboardFormatW(kResultFormat);
    std::vector<Run> measured(runs);
    Run warm;
    bool ended = RunEngine(argv[1], argv[2], format, warm);
    for (Run& run : measured) ended = ended && RunEngine(argv[1], argv[2], format, run);
    if (!ended) {
        std::fprintf(stderr, "engine_bench: the engine did not start or did not end\n");
        return 1;
    }

    std::vector<double> times;
    SIZE_T peak = 0;
    std::string list;
    int empty = 0;
    for (const Run& run : measured) {
        times.push_back(run.ms);
        if (run.exitCode != 0 || run.text.empty()) ++empty;
        peak = std::max(peak, run.peakBytes);
        list += (list.empty() ? "" : ",") + std::to_string(static_cast<long>(run.ms + 0.5));
    }
    std::sort(times.begin(), times.end());
    const std::string text = EngineTextAsUtf8(measured.back().text);
    if (!WriteFileBytes(argv[4], text)) {
        std::fprintf(stderr, "engine_bench: the text file can not be written\n");
        return 1;
    }
    std::printf("median_ms=%.0f peak_mb=%.1f empty=%d runs=%s\n", times[runs / 2],
                peak / (1024.0 * 1024.0), empty, list.c_str());
    return 0;
}
