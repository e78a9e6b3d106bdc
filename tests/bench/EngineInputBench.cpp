// Measures how long the local engine's input takes to prepare: a colour
// picture loaded with GDI+, converted to 8-bit grey and saved as BMP, for
// pictures of a phone photo's and a scanned page's size.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "common/FileSystem.h"
#include "engine/EngineInputPicture.h"

namespace {

// Each figure is the best of this many runs, to keep out scheduling noise.
constexpr int kRuns = 3;

// A PNG of the given size with a colour gradient, so that it does not
// compress to nothing.
bool WriteGradient(const std::wstring& path, int width, int height) {
    Gdiplus::Bitmap picture(width, height, PixelFormat24bppRGB);
    Gdiplus::Rect area(0, 0, width, height);
    Gdiplus::BitmapData data = {};
    if (picture.LockBits(&area, Gdiplus::ImageLockModeWrite, PixelFormat24bppRGB, &data) !=
        Gdiplus::Ok)
        return false;
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<BYTE*>(data.Scan0) + y * data.Stride;
        for (int x = 0; x < width; ++x) {
            row[3 * x] = static_cast<BYTE>(x);
            row[3 * x + 1] = static_cast<BYTE>(y);
            row[3 * x + 2] = static_cast<BYTE>(x + y);
        }
    }
    picture.UnlockBits(&data);
    CLSID png = {};
    CLSIDFromString(L"{557CF406-1A04-11D3-9A73-0000F81EF32E}", &png);
    return picture.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

}  // namespace

int main() {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring picture = JoinPath(temp, L"pimlo-engine-bench.png");
    const std::wstring target = JoinPath(temp, L"pimlo-engine-bench.bmp");

    std::printf("%-12s %12s\n", "picture", "grey BMP ms");
    for (auto [width, height] : {std::pair{1280, 960}, std::pair{4000, 3000}}) {
        if (!WriteGradient(picture, width, height)) return 1;
        double best = 1e9;
        for (int run = 0; run < kRuns; ++run) {
            auto start = std::chrono::steady_clock::now();
            if (!WriteEngineInputPicture(picture, target)) return 1;
            std::chrono::duration<double, std::milli> elapsed =
                std::chrono::steady_clock::now() - start;
            if (elapsed.count() < best) best = elapsed.count();
        }
        std::printf("%5dx%-6d %12.1f\n", width, height, best);
    }
    DeleteFileW(picture.c_str());
    DeleteFileW(target.c_str());
    Gdiplus::GdiplusShutdown(token);
    return 0;
}
