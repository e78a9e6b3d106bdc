// The capture overlay on the real screen, driven through the system's input
// queue as the user's mouse and keyboard drive it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "capture/CaptureMessages.h"
#include "capture/ScreenCutting.h"
#include "common/GdiplusSession.h"
#include "tests/app/AppTestSupport.h"

namespace {

constexpr COLORREF kTargetColour = RGB(250, 200, 40);
constexpr COLORREF kChildColour = RGB(40, 90, 230);
int g_doneMessages = 0;

LRESULT CALLBACK OwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SCREENCUT_DONE) ++g_doneMessages;
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterTestClass(const wchar_t* name, WNDPROC procedure, COLORREF colour) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = CreateSolidBrush(colour);
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

// Handles what arrived for this thread's windows until condition holds or
// timeoutMs passed; the condition's last answer.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 3000) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(10);
    }
}

void Pump(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

void SendMouse(DWORD flags, POINT at = {}) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_MOVE) {
        input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
        input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &input, sizeof(input));
    Pump(60);
}

void SendKeyPress(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    Pump(60);
}

// The picture's size and the colour of its centre pixel.
struct SavedPicture {
    UINT width = 0;
    UINT height = 0;
    Gdiplus::Color centre;
};

SavedPicture ReadPicture(const std::wstring& path) {
    Gdiplus::Bitmap picture(path.c_str());
    SavedPicture read;
    if (picture.GetLastStatus() != Gdiplus::Ok) return read;
    read.width = picture.GetWidth();
    read.height = picture.GetHeight();
    picture.GetPixel(static_cast<INT>(read.width / 2), static_cast<INT>(read.height / 2),
                     &read.centre);
    return read;
}

bool Near(const Gdiplus::Color& seen, COLORREF expected) {
    return std::abs(seen.GetR() - GetRValue(expected)) < 24 &&
           std::abs(seen.GetG() - GetGValue(expected)) < 24 &&
           std::abs(seen.GetB() - GetBValue(expected)) < 24;
}

class ScreenCutting : public testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterTestClass(L"PimloCaptureOwner", OwnerProcedure, RGB(255, 255, 255));
        RegisterTestClass(L"PimloCaptureTarget", DefWindowProcW, kTargetColour);
        RegisterTestClass(L"PimloCaptureChild", DefWindowProcW, kChildColour);
    }

    ScreenCutting() {
        g_doneMessages = 0;
        owner_ = Window(L"PimloCaptureOwner", {20, 500, 220, 600});
        target_ = Window(L"PimloCaptureTarget", {300, 200, 500, 300});
        // A window reaching past the right edge of the screen, with a child
        // that does too.
        const int right = GetSystemMetrics(SM_CXSCREEN);
        edge_ = Window(L"PimloCaptureTarget", {right - 100, 400, right + 100, 500});
        child_ = CreateWindowExW(0, L"PimloCaptureChild", L"", WS_CHILD | WS_VISIBLE, 20, 20, 170,
                                 60, edge_, nullptr, nullptr, nullptr);
        Pump(300);
    }
    ~ScreenCutting() override {
        capture_.reset();
        for (HWND window : {owner_, target_, edge_}) DestroyWindow(window);
    }

    static HWND Window(const wchar_t* windowClass, RECT at) {
        return CreateWindowExW(WS_EX_TOOLWINDOW, windowClass, L"", WS_POPUP | WS_VISIBLE, at.left,
                               at.top, at.right - at.left, at.bottom - at.top, nullptr, nullptr,
                               nullptr, nullptr);
    }

    // Starts a capture; false when the overlay did not come up.
    bool Start() {
        if (!capture_->Start(owner_)) return false;
        return PumpUntil([&] { return IsWindowVisible(capture_->Window()) != 0; });
    }

    void Drag(POINT from, POINT to) {
        SendMouse(MOUSEEVENTF_MOVE, from);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        SendMouse(MOUSEEVENTF_MOVE, {(from.x + to.x) / 2, (from.y + to.y) / 2});
        SendMouse(MOUSEEVENTF_MOVE, to);
        SendMouse(MOUSEEVENTF_LEFTUP);
    }

    // The overlay closed and the owner is back.
    bool Ended() {
        return PumpUntil([&] { return !capture_->Window() && IsWindowVisible(owner_); });
    }

    GdiplusSession gdiplus_;
    TempFolder temp_;
    // A name no single ANSI code page holds.
    std::wstring folder_ = temp_.File(L"截图\uD55C\u00E9");
    std::unique_ptr<CScreenCutting> capture_ =
        std::make_unique<CScreenCutting>(folder_, L"hold Tab", L"table");
    HWND owner_;
    HWND target_;
    HWND edge_;
    HWND child_;
};

TEST_F(ScreenCutting, ADragSavesTheCleanRectangleAndTellsTheOwner) {
    ASSERT_TRUE(Start());
    EXPECT_FALSE(IsWindowVisible(owner_));
    // The keys go to the overlay, wherever the capture was started from.
    EXPECT_EQ(GetForegroundWindow(), capture_->Window());
    EXPECT_EQ(GetFocus(), capture_->Window());

    Drag({320, 210}, {420, 260});

    ASSERT_TRUE(Ended());
    EXPECT_TRUE(PumpUntil([] { return g_doneMessages == 1; }));
    EXPECT_EQ(capture_->SavedPath(), JoinPath(folder_, L"screen_cutting.jpg"));
    const SavedPicture saved = ReadPicture(capture_->SavedPath());
    EXPECT_EQ(saved.width, 100u);
    EXPECT_EQ(saved.height, 50u);
    EXPECT_TRUE(Near(saved.centre, kTargetColour)) << "not the clean screen";
}

TEST_F(ScreenCutting, AClickTakesTheWindowUnderTheMouseCutAtTheScreenEdge) {
    RECT child = {};
    GetWindowRect(child_, &child);
    ASSERT_TRUE(Start());
    // Moving a little between press and release is still a click.
    Drag({child.left + 10, child.top + 10}, {child.left + 15, child.top + 14});

    ASSERT_TRUE(Ended());
    const SavedPicture saved = ReadPicture(capture_->SavedPath());
    EXPECT_EQ(saved.width, static_cast<UINT>(GetSystemMetrics(SM_CXSCREEN) - child.left));
    EXPECT_EQ(saved.height, 60u);
    EXPECT_TRUE(Near(saved.centre, kChildColour));
}

TEST_F(ScreenCutting, CancellingOrAnEmptySelectionSavesNothingAndKeepsThePreviousCapture) {
    ASSERT_TRUE(Start());
    Drag({320, 210}, {420, 260});
    ASSERT_TRUE(Ended());
    const std::wstring first = capture_->SavedPath();

    // Escape, the right button, and a drag along a line (a selection of no height).
    for (const auto& cancel : std::vector<std::function<void()>>{
             [] { SendKeyPress(VK_ESCAPE); }, [] { SendMouse(MOUSEEVENTF_RIGHTDOWN); },
             [this] {
                 Drag({320, 210}, {360, 210});
             }}) {
        ASSERT_TRUE(Start());
        cancel();
        ASSERT_TRUE(Ended());
        SendMouse(MOUSEEVENTF_RIGHTUP);
        EXPECT_EQ(capture_->SavedPath(), first);
        EXPECT_TRUE(FileExists(first));
    }
    EXPECT_EQ(g_doneMessages, 1);

    // The next capture takes its place.
    ASSERT_TRUE(Start());
    Drag({320, 210}, {340, 290});
    ASSERT_TRUE(Ended());
    EXPECT_EQ(capture_->SavedPath(), JoinPath(folder_, L"screen_cutting1.jpg"));
    EXPECT_FALSE(FileExists(first));
    EXPECT_EQ(ReadPicture(capture_->SavedPath()).height, 80u);
}

TEST_F(ScreenCutting, AFolderThatCanNotBeMadeEndsTheCaptureWithNothingSaved) {
    WriteFileBytes(temp_.File(L"taken"), "a file where the folder would go");
    capture_ = std::make_unique<CScreenCutting>(temp_.File(L"taken\\screencut"), L"", L"");
    ASSERT_TRUE(Start());
    Drag({320, 210}, {420, 260});
    ASSERT_TRUE(Ended());
    EXPECT_TRUE(capture_->SavedPath().empty());
    EXPECT_EQ(g_doneMessages, 0);
}

TEST_F(ScreenCutting, TheEndOfTheProgramEmptiesTheCaptureFolder) {
    ASSERT_TRUE(Start());
    Drag({320, 210}, {420, 260});
    ASSERT_TRUE(Ended());
    WriteFileBytes(JoinPath(folder_, L"left over.jpg"), "");
    capture_.reset();
    EXPECT_TRUE(FolderExists(folder_));
    EXPECT_FALSE(FileExists(JoinPath(folder_, L"screen_cutting.jpg")));
    EXPECT_FALSE(FileExists(JoinPath(folder_, L"left over.jpg")));
}

}  // namespace
