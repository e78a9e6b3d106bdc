// Scans pages of A4 at 150 dpi from the virtual scanner through the real
// program and Wine's TWAIN manager, and prints for each page how long the
// program held it (from the end of its transfer to the end-of-transfer call:
// the conversion, the JPEG encoding and the saving), beside the time GDI+
// alone takes, in the same run, to encode the same picture to a JPEG file of
// the same quality. Run through tests/bench/scan-bench, which starts the
// servers the pages' run goes to.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "app/AppFolders.h"
#include "common/FileSystem.h"
#include "common/GdiplusSession.h"
#include "common/ImageEncoding.h"
#include "tests/e2e/ProgramSession.h"
#include "tests/e2e/ProgramStartState.h"
#include "tests/e2e/VirtualScannerInstall.h"
#include "tests/ui/DialogDriver.h"

namespace {

constexpr int kA4Width = 1240;  // 210 mm at 150 dpi
constexpr int kA4Height = 1754;
constexpr ULONG kJpegQuality = 60;

int Failed(const char* step) {
    std::fprintf(stderr, "scan_bench: %s failed\n", step);
    return 1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The milliseconds the program held each page, from the scanner's log.
std::vector<double> HeldMs(const std::string& log) {
    std::istringstream lines(log);
    std::vector<double> held;
    std::string word;
    while (lines >> word) {
        int page = 0;
        long long micros = 0;
        if (word == "page" && lines >> page >> micros)
            held.push_back(static_cast<double>(micros) / 1000);
    }
    return held;
}

// GDI+ encoding the picture to a JPEG file, rounds times; milliseconds each.
std::vector<double> EncodeMs(const std::wstring& picture, const std::wstring& target, int rounds) {
    Gdiplus::Bitmap decoded(picture.c_str());
    // The picture as the program has it before encoding: 24-bit, in memory.
    Gdiplus::Bitmap page(decoded.GetWidth(), decoded.GetHeight(), PixelFormat24bppRGB);
    {
        Gdiplus::Graphics canvas(&page);
        canvas.DrawImage(&decoded, 0, 0, decoded.GetWidth(), decoded.GetHeight());
    }
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        if (!SaveImageFile(page, target, L"image/jpeg", kJpegQuality)) return {};
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    return times;
}

}  // namespace

// scan_bench PAGES
int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: scan_bench PAGES\n");
        return 2;
    }
    const int pages = _wtoi(argv[1]);
    GdiplusSession gdiplus;
    ScopedStartState startState;
    TempFolder save;
    WriteProgramSettings({{L"SavePath", save.Path()},
                          {L"UseHighQuality", L"1"},
                          {L"RemindMergeBatch", L"0"},
                          {L"CompressedSizeLimit", L"0"}});

    // The virtual scanner where Wine's manager finds it, with A4 pages.
    InstalledScanner scanner;
    scanner.Script("Pages=" + std::to_string(pages) + "\r\nWidth=" + std::to_string(kA4Width) +
                   "\r\nHeight=" + std::to_string(kA4Height) + "\r\n");

    ProgramSession program;
    if (!program.Window()) return Failed("starting the program");
    if (!program.Click(L"ScannerPage")) return Failed("clicking the scanner button");
    DialogDriver choice(L"PimloOCRDialogClass", GetProcessId(program.Process()));
    if (!choice.WaitForWindow() || !choice.Click(L"btnYes")) return Failed("choosing the scanner");
    if (!ProgramSession::WaitFor(
            [&] { return static_cast<int>(HeldMs(scanner.Log()).size()) == pages; }, 300000, 20))
        return Failed("scanning");
    const std::vector<double> held = HeldMs(scanner.Log());

    const std::wstring first = JoinPath(ScannerFolder(SystemTempFolder()), L"pic.jpg");
    const std::vector<double> encode = EncodeMs(first, save.File(L"encoded.jpg"), pages);
    if (encode.empty()) return Failed("encoding with GDI+ alone");

    std::printf("page  program held ms  GDI+ encode ms\n");
    for (int page = 0; page < pages; ++page)
        std::printf("%4d  %15.1f  %14.1f\n", page + 1, held[page], encode[page]);
    std::printf("%d pages of %dx%d: median program %.1f ms, GDI+ alone %.1f ms, ratio %.2f\n",
                pages, kA4Width, kA4Height, Median(held), Median(encode),
                Median(held) / Median(encode));
    return 0;
}
