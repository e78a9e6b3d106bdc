#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/FileSystem.h"
#include "common/GdiplusSession.h"
#include "common/ImageEncoding.h"
#include "common/StringConversion.h"
#include "common/Win32Handles.h"
#include "platform/webengine/WkeInterface.h"

// node.dll of this build, loaded by its path as the program loads it, through its exports only.

namespace {

constexpr int kViewWidth = 400;
constexpr int kViewHeight = 300;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The build gives paths with forward slashes, which LoadLibrary does not take.
std::wstring BackslashedPath(std::wstring path) {
    for (wchar_t& character : path) {
        if (character == L'/') {
            character = L'\\';
        }
    }
    return path;
}

// The engine's functions, looked up by their plain names.
struct Engine {
    HMODULE module = LoadLibraryW(BackslashedPath(PIMLO_NODE_DLL).c_str());
    template <class Function>
    Function* Find(const char* name) const {
        return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
#define PIMLO_ENGINE_FUNCTION(name) decltype(::name)* name = Find<decltype(::name)>(#name)
    PIMLO_ENGINE_FUNCTION(wkeInitializeEx);
    PIMLO_ENGINE_FUNCTION(wkeShutdown);
    PIMLO_ENGINE_FUNCTION(wkeCreateWebWindow);
    PIMLO_ENGINE_FUNCTION(wkeDestroyWebWindow);
    PIMLO_ENGINE_FUNCTION(wkeMoveWindow);
    PIMLO_ENGINE_FUNCTION(wkeShowWindow);
    PIMLO_ENGINE_FUNCTION(wkeLoadURLW);
    PIMLO_ENGINE_FUNCTION(wkeRunJSW);
    PIMLO_ENGINE_FUNCTION(wkeGoBack);
    PIMLO_ENGINE_FUNCTION(wkeGoForward);
    PIMLO_ENGINE_FUNCTION(wkeReload);
    PIMLO_ENGINE_FUNCTION(wkeOnLoadingFinish);
    PIMLO_ENGINE_FUNCTION(wkeOnTextMessage);
    PIMLO_ENGINE_FUNCTION(wkeSetMemoryCacheEnable);
    PIMLO_ENGINE_FUNCTION(wkeSetZoomFactor);
    PIMLO_ENGINE_FUNCTION(wkeSetCookieJarPath);
#undef PIMLO_ENGINE_FUNCTION
};

const Engine& TheEngine() {
    static const Engine engine;
    return engine;
}

struct LoadingFinished {
    std::wstring url;
    int result;
    std::wstring reason;
};

void __cdecl RecordLoadingFinished(void*, void* param, const wchar_t* url, int result,
                                   const wchar_t* reason) {
    static_cast<std::vector<LoadingFinished>*>(param)->push_back(
        {url ? url : L"", result, reason ? reason : L""});
}

// encodeURIComponent of a wide text.
std::wstring EncodeUriComponent(const std::wstring& text) {
    std::wstring encoded;
    for (unsigned char byte : WideToUtf8(text)) {
        if (isalnum(byte) || std::wstring_view(L"-_.!~*'()").find(byte) != std::wstring::npos) {
            encoded += static_cast<wchar_t>(byte);
        } else {
            wchar_t escape[4];
            swprintf(escape, 4, L"%%%02X", byte);
            encoded += escape;
        }
    }
    return encoded;
}

std::wstring PicturePageAddress(const std::wstring& picture) {
    return L"file:///C:/Program%20Files/PimloOCR/image.html?img=" + EncodeUriComponent(picture);
}

// A parent window with one view of the engine in it, a folder for pictures, and what the view
// reported.
class WebEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(TheEngine().module) << "node.dll not found";
        folder_ = JoinPath(TemporaryFolder(),
                           L"pimlo webengine #" + std::to_wstring(GetCurrentProcessId()));
        ASSERT_TRUE(CreateFolderTree(folder_));
        parent_ = CreateWindowExW(0, L"STATIC", L"web engine test", WS_POPUP, 0, 0, kViewWidth + 40,
                                  kViewHeight + 40, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(parent_);
        TheEngine().wkeInitializeEx(nullptr);
        view_ = TheEngine().wkeCreateWebWindow(kWkeChildWindow, parent_, 10, 10, kViewWidth,
                                               kViewHeight);
        ASSERT_TRUE(view_);
        TheEngine().wkeOnLoadingFinish(view_, RecordLoadingFinished, &finished_);
        TheEngine().wkeShowWindow(view_, true);
    }

    void TearDown() override {
        if (view_) {
            TheEngine().wkeDestroyWebWindow(view_);
        }
        if (parent_) {
            DestroyWindow(parent_);
        }
        for (const std::wstring& file : files_) {
            DeleteFileW(file.c_str());
        }
        RemoveDirectoryW(folder_.c_str());
    }

    static std::wstring TemporaryFolder() {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        return temp;
    }

    // A 200 x 100 picture: left half red, right half blue.
    std::wstring MakePicture(const std::wstring& name) {
        Gdiplus::Bitmap picture(200, 100, PixelFormat24bppRGB);
        Gdiplus::Graphics graphics(&picture);
        Gdiplus::SolidBrush red(Gdiplus::Color(255, 0, 0)), blue(Gdiplus::Color(0, 0, 255));
        graphics.FillRectangle(&red, 0, 0, 100, 100);
        graphics.FillRectangle(&blue, 100, 0, 100, 100);
        std::wstring path = JoinPath(folder_, name);
        EXPECT_TRUE(SaveImageFile(picture, path, L"image/png"));
        files_.push_back(path);
        return path;
    }

    // Pumps messages until count loadings finished, for at most milliseconds.
    bool WaitForLoadingFinished(size_t count, DWORD milliseconds = 2000) {
        const DWORD start = GetTickCount();
        while (finished_.size() < count && GetTickCount() - start < milliseconds) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&message);
            }
            Sleep(5);
        }
        return finished_.size() >= count;
    }

    // The view's pixel at (x, y), as the view prints itself.
    COLORREF Pixel(int x, int y) const {
        HWND view = GetWindow(parent_, GW_CHILD);
        WindowDc screen(nullptr);
        OwnedDc dc(CreateCompatibleDC(screen.get()));
        GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), kViewWidth, kViewHeight));
        SelectedObject selected(dc.get(), bitmap.get());
        PrintWindow(view, dc.get(), 0);
        return GetPixel(dc.get(), x, y);
    }

    // Whether the view shows colour at each of points.
    struct Sample {
        int x;
        int y;
        COLORREF colour;
    };
    void ExpectPixels(const std::vector<Sample>& samples, const char* situation) const {
        for (const Sample& sample : samples) {
            const COLORREF seen = Pixel(sample.x, sample.y);
            const auto close = [](int a, int b) { return a - b < 48 && b - a < 48; };
            EXPECT_TRUE(close(GetRValue(seen), GetRValue(sample.colour)) &&
                        close(GetGValue(seen), GetGValue(sample.colour)) &&
                        close(GetBValue(seen), GetBValue(sample.colour)))
                << situation << ": at " << sample.x << "," << sample.y << " seen " << std::hex
                << seen << " expected " << sample.colour;
        }
    }

    std::wstring folder_;
    std::vector<std::wstring> files_;
    HWND parent_ = nullptr;
    void* view_ = nullptr;
    std::vector<LoadingFinished> finished_;
    GdiplusSession gdiplus_;
};

TEST(WebEngineExports, AreFoundByTheirPlainNames) {
    const Engine& engine = TheEngine();
    ASSERT_TRUE(engine.module) << "node.dll not found";
    for (const char* name :
         {"wkeInitializeEx", "wkeShutdown", "wkeCreateWebWindow", "wkeDestroyWebWindow",
          "wkeMoveWindow", "wkeShowWindow", "wkeLoadURLW", "wkeRunJSW", "wkeGoBack", "wkeGoForward",
          "wkeReload", "wkeOnLoadingFinish", "wkeOnTextMessage", "wkeSetMemoryCacheEnable",
          "wkeSetZoomFactor", "wkeSetCookieJarPath"}) {
        EXPECT_TRUE(GetProcAddress(engine.module, name)) << name;
    }
}

TEST(WebEngineExports, IgnoreNullViewsTextsAndParents) {
    const Engine& engine = TheEngine();
    ASSERT_TRUE(engine.module);
    engine.wkeInitializeEx(nullptr);
    engine.wkeInitializeEx(nullptr);
    EXPECT_EQ(engine.wkeCreateWebWindow(kWkeChildWindow, nullptr, 0, 0, 10, 10), nullptr);
    EXPECT_EQ(engine.wkeCreateWebWindow(0, GetDesktopWindow(), 0, 0, 10, 10), nullptr);
    engine.wkeDestroyWebWindow(nullptr);
    engine.wkeMoveWindow(nullptr, 0, 0, 1, 1);
    engine.wkeShowWindow(nullptr, true);
    engine.wkeLoadURLW(nullptr, L"about:blank");
    EXPECT_EQ(engine.wkeRunJSW(nullptr, L"butt()"), 0);
    EXPECT_FALSE(engine.wkeGoBack(nullptr));
    EXPECT_FALSE(engine.wkeGoForward(nullptr));
    engine.wkeReload(nullptr);
    engine.wkeOnLoadingFinish(nullptr, RecordLoadingFinished, nullptr);
    engine.wkeOnTextMessage(nullptr, nullptr, nullptr);
    engine.wkeSetMemoryCacheEnable(nullptr, false);
    engine.wkeSetZoomFactor(nullptr, 2.0f);
    engine.wkeSetCookieJarPath(nullptr, nullptr);
}

TEST_F(WebEngineTest, ShowsAPictureWhoseNameHoldsEscapesAndChineseAndRotatesIt) {
    const std::wstring address = PicturePageAddress(MakePicture(L"图片 #1 %41 & a+b's.png"));
    const Engine& engine = TheEngine();
    engine.wkeLoadURLW(view_, address.c_str());
    EXPECT_TRUE(finished_.empty()) << "loading finished must come from the message loop";
    ASSERT_TRUE(WaitForLoadingFinished(1));
    EXPECT_EQ(finished_[0].url, address);
    EXPECT_EQ(finished_[0].result, kWkeLoadingSucceeded);

    // 200 x 100 fitted into 400 x 300: 400 x 200 from y 50, red left, blue right.
    ExpectPixels({{100, 150, kRed}, {300, 150, kBlue}, {200, 20, kWhite}}, "fitted");
    // A quarter turn clockwise: 150 x 300 from x 125, red on top, blue below.
    engine.wkeRunJSW(view_, L"butt()");
    ExpectPixels({{200, 75, kRed}, {200, 225, kBlue}, {60, 150, kWhite}}, "turned once");
    engine.wkeRunJSW(view_, L"butt();");
    ExpectPixels({{100, 150, kBlue}, {300, 150, kRed}}, "turned twice");
    // Zooming shrinks it about the centre: 200 x 100 from (100, 100), still upside down.
    engine.wkeSetZoomFactor(view_, 0.5f);
    ExpectPixels({{60, 150, kWhite}, {150, 150, kBlue}, {250, 150, kRed}}, "zoomed to 0.5");
    // Zoom is kept within its bounds: 0 is the smallest, not nothing.
    engine.wkeSetZoomFactor(view_, 0.0f);
    ExpectPixels({{200, 150, kBlue}, {180, 150, kWhite}}, "zoom 0 kept at 0.1");
}

TEST_F(WebEngineTest, LeavesTheViewBlankForAMissingPictureAndStillSucceeds) {
    const std::wstring address = PicturePageAddress(JoinPath(folder_, L"无此图片.png"));
    TheEngine().wkeLoadURLW(view_, address.c_str());
    ASSERT_TRUE(WaitForLoadingFinished(1));
    EXPECT_EQ(finished_[0].result, kWkeLoadingSucceeded);
    ExpectPixels({{200, 150, kWhite}, {10, 10, kWhite}}, "missing picture");
}

TEST_F(WebEngineTest, ReportsOtherAddressesAsFailedWithANoticeAndKeepsAHistory) {
    const std::wstring picture = PicturePageAddress(MakePicture(L"a.png"));
    const std::wstring web = L"https://example.invalid/";
    const Engine& engine = TheEngine();
    engine.wkeLoadURLW(view_, picture.c_str());
    engine.wkeLoadURLW(view_, web.c_str());
    ASSERT_TRUE(WaitForLoadingFinished(2));
    EXPECT_EQ(finished_[1].url, web);
    EXPECT_EQ(finished_[1].result, kWkeLoadingFailed);
    EXPECT_FALSE(finished_[1].reason.empty());
    EXPECT_NE(Pixel(kViewWidth / 2, kViewHeight / 2), kBlue);

    EXPECT_FALSE(engine.wkeGoForward(view_));
    EXPECT_TRUE(engine.wkeGoBack(view_));
    EXPECT_FALSE(engine.wkeGoBack(view_));
    engine.wkeReload(view_);
    EXPECT_TRUE(engine.wkeGoForward(view_));
    ASSERT_TRUE(WaitForLoadingFinished(5));
    const std::pair<const std::wstring*, int> expected[] = {{&picture, kWkeLoadingSucceeded},
                                                            {&picture, kWkeLoadingSucceeded},
                                                            {&web, kWkeLoadingFailed}};
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(finished_[2 + i].url, *expected[i].first) << i;
        EXPECT_EQ(finished_[2 + i].result, expected[i].second) << i;
    }
}

TEST_F(WebEngineTest, FollowsItsParentsMovesAndOutlivesIt) {
    const Engine& engine = TheEngine();
    engine.wkeMoveWindow(view_, 20, 30, 100, 50);
    RECT place;
    HWND view = GetWindow(parent_, GW_CHILD);
    GetWindowRect(view, &place);
    MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 20);
    EXPECT_EQ(place.top, 30);
    EXPECT_EQ(place.right - place.left, 100);
    EXPECT_EQ(place.bottom - place.top, 50);
    // The parent going first leaves a view that still takes calls until it is destroyed.
    DestroyWindow(parent_);
    parent_ = nullptr;
    engine.wkeLoadURLW(view_, L"https://example.invalid/");
    engine.wkeRunJSW(view_, L"butt()");
    EXPECT_FALSE(WaitForLoadingFinished(1, 200));
}

}  // namespace
