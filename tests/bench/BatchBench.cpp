// Recognises a batch of pictures through the real program and the stand-in
// servers, and prints the program's time from the click on the recognise
// button to the result list beside the time the servers spent answering the
// same requests, measured in the same run. Run through tests/bench/batch-bench,
// which starts the servers and draws the pictures.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "common/FileSystem.h"
#include "common/StringConversion.h"
#include "tests/e2e/ProgramSession.h"
#include "tests/e2e/ProgramStartState.h"
#include "tests/e2e/StandIns.h"

// batch_bench PICTURE_FOLDER COUNT CONTROL_URL SAVE_FOLDER
int wmain(int argc, wchar_t** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: batch_bench PICTURES COUNT CONTROL_URL SAVE_FOLDER\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    const int count = _wtoi(argv[2]);
    // An ordinary start, and the user's settings and stored state put back
    // however the run ends.
    ScopedStartState startState;
    StandIns standIns;
    standIns.controlUrl = WideToUtf8(argv[3]);
    WriteProgramSettings({{L"SavePath", argv[4]},
                          {L"RemindMergeBatch", L"0"},
                          {L"CompressedSizeLimit", L"0"},
                          {L"UseHighQuality", L"1"}});

    ProgramSession program;
    if (!program.Window()) return 1;
    std::wstring pictures;
    for (int i = 1; i <= count; ++i)
        pictures += JoinPath(folder, L"picture" + std::to_wstring(i) + L".png") + L"\n";
    program.Drop(pictures);
    if (!ProgramSession::WaitFor([&] { return program.Visible(L"buttonOCR"); })) return 1;
    standIns.Reset();

    const auto start = std::chrono::steady_clock::now();
    if (!program.Click(L"buttonOCR")) return 1;
    const bool ended = ProgramSession::WaitFor(
        [&] {
            return program.Visible(L"listFiles") && program.Value(L"buttonOCR", L"enabled") == L"1";
        },
        600000, 5);
    const std::chrono::duration<double, std::milli> total =
        std::chrono::steady_clock::now() - start;
    if (!ended) return 1;

    const Json::Value timings = standIns.Timings("ocr");
    double served = 0;
    int requests = 0;
    for (const std::string& path : timings.getMemberNames()) {
        served += timings[path]["ms"].asDouble();
        requests += timings[path]["count"].asInt();
        std::printf("  %-30s %3d requests %6.0f ms\n", path.c_str(), timings[path]["count"].asInt(),
                    timings[path]["ms"].asDouble());
    }
    std::printf("pictures                   %8d\n", count);
    std::printf("requests to the service    %8d\n", requests);
    std::printf("program, click to list ms  %8.0f\n", total.count());
    std::printf("servers answering ms       %8.0f\n", served);
    std::printf("program's overhead         %7.1f %%\n",
                100.0 * (total.count() - served) / total.count());
    return 0;
}
