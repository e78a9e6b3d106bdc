// Cuts a line of text out of the screen through the real program and the
// stand-in servers, several times, and prints for each capture the time from
// the click on "Screenshot-OCR" to the overlay shown, and from the mouse
// release to the text shown beside the servers' own time for the same
// requests. Run through tests/bench/capture-bench, which starts the servers.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "common/StringConversion.h"
#include "tests/e2e/DisplayInput.h"
#include "tests/e2e/ProgramSession.h"
#include "tests/e2e/ProgramStartState.h"
#include "tests/e2e/ScreenCaptureSupport.h"
#include "tests/e2e/StandIns.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double ServedMs(const StandIns& standIns) {
    const Json::Value timings = standIns.Timings("ocr");
    double served = 0;
    for (const std::string& path : timings.getMemberNames())
        served += timings[path]["ms"].asDouble();
    return served;
}

int Failed(const char* step) {
    std::fprintf(stderr, "capture_bench: %s failed\n", step);
    return 1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

// capture_bench ROUNDS CONTROL_URL
int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: capture_bench ROUNDS CONTROL_URL\n");
        return 2;
    }
    const int rounds = _wtoi(argv[1]);
    ScopedStartState startState;
    StandIns standIns;
    standIns.controlUrl = WideToUtf8(argv[2]);
    WriteProgramSettings({{L"UseHighQuality", L"1"}});
    ShownText shown;
    ProgramSession program;
    if (!program.Window()) return Failed("starting the program");

    std::vector<double> toOverlay, own;
    std::printf("round  click→overlay ms  release→text ms  servers ms  program's own ms\n");
    for (int round = 1; round <= rounds; ++round) {
        const auto clicked = Clock::now();
        if (!program.Click(L"Screenshot-OCR") || !CaptureOverlay(program))
            return Failed("opening the overlay");
        toOverlay.push_back(MsSince(clicked));
        if (!Xdotool(DragAroundShownText(false, false))) return Failed("dragging");
        standIns.Reset();
        // The clock starts before xdotool does: its own start counts as the program's.
        const auto released = Clock::now();
        if (!Xdotool("mouseup 1")) return Failed("releasing the mouse");
        const bool shown = ProgramSession::WaitFor(
            [&] {
                // The result page keeps the last text while it is hidden: only
                // its showing again says a new result is there.
                return program.Visible(L"ocrText") && HoldsShownText(program.Text(L"ocrText"));
            },
            60000, 5);
        const double total = MsSince(released);
        if (!shown) return Failed("recognising");
        const double served = ServedMs(standIns);
        own.push_back(total - served);
        std::printf("%5d  %16.0f  %15.0f  %10.0f  %16.0f\n", round, toOverlay.back(), total, served,
                    own.back());
        if (!program.Click(L"BackResultOK") ||
            !ProgramSession::WaitFor([&] { return program.Visible(L"Screenshot-OCR"); }))
            return Failed("going back to the home page");
    }
    std::printf("median click→overlay ms %.0f, program's own part of release→text ms %.0f\n",
                Median(toOverlay), Median(own));
    return 0;
}
