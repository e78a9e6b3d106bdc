#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "common/StringConversion.h"
#include "tests/uilib/DriverProcess.h"

namespace {

class DriveTest : public ::testing::Test {
protected:
    void SetUp() override { window_ = OpenRecordingWindow(); }
    void TearDown() override { DestroyWindow(window_->GetHWND()); }
    RecordingWindow* window_ = nullptr;
};

TEST_F(DriveTest, QueryTellsTextStateAndScreenPosition) {
    DriveResult result = RunDriver(L"PimloUITestWindow query btnGo");
    ASSERT_EQ(result.exitCode, 0u) << result.output;
    EXPECT_NE(result.output.find("found=1\n"), std::string::npos);
    EXPECT_NE(result.output.find("text=Go\n"), std::string::npos);
    EXPECT_NE(result.output.find("visible=1\n"), std::string::npos);
    EXPECT_NE(result.output.find("enabled=1\n"), std::string::npos);
    RECT pos = window_->Find(L"btnGo")->GetPos();
    POINT screen = {pos.left, pos.top};
    ClientToScreen(window_->GetHWND(), &screen);
    EXPECT_NE(result.output.find("left=" + std::to_string(screen.x) + "\n"), std::string::npos);
    EXPECT_NE(result.output.find("top=" + std::to_string(screen.y) + "\n"), std::string::npos);

    result = RunDriver(L"PimloUITestWindow text title");
    EXPECT_EQ(result.exitCode, 0u);
    EXPECT_EQ(result.output, WideToUtf8(L"标题 Title\n"));
}

TEST_F(DriveTest, ClickGoesTheWayOfTheMouseAndNotifies) {
    window_->notifications.clear();
    DriveResult result = RunDriver(L"PimloUITestWindow click btnGo");
    ASSERT_EQ(result.exitCode, 0u) << result.output;
    PumpMessages(100);
    std::vector<std::wstring> expected = {L"click:btnGo:0"};
    EXPECT_EQ(window_->notifications, expected);

    result = RunDriver(L"PimloUITestWindow click optB");
    PumpMessages(100);
    EXPECT_TRUE(window_->Find(L"optB")->IsSelected());
}

TEST_F(DriveTest, MissingControlsAndRefusedClicksFail) {
    EXPECT_EQ(RunDriver(L"PimloUITestWindow query nothing").exitCode, 1u);
    DriveResult hidden = RunDriver(L"PimloUITestWindow click btnHidden");
    EXPECT_EQ(hidden.exitCode, 3u);
    EXPECT_NE(hidden.output.find("reason=hidden"), std::string::npos);
    EXPECT_EQ(RunDriver(L"NoSuchWindowClass query x").exitCode, 2u);
}

TEST_F(DriveTest, TheScreenCopyOfTheWindowIsItsSize) {
    RECT window;
    GetWindowRect(window_->GetHWND(), &window);
    PumpMessages(300);
    HBITMAP bitmap = CopyScreenToBitmap(&window);
    ASSERT_NE(bitmap, nullptr);
    HANDLE dib = BitmapToDIB(bitmap);
    DeleteObject(bitmap);
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(DIBWidth(dib), window.right - window.left);
    EXPECT_EQ(DIBHeight(dib), window.bottom - window.top);
    EXPECT_EQ(BytesPerLine(401, 24), 1204u);
    HANDLE copy = CopyHandle(dib);
    EXPECT_EQ(DIBWidth(copy), DIBWidth(dib));
    // Kept beside the test program, to look at.
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib));
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + header->biSize;
    file.bfSize = file.bfOffBits + header->biSizeImage;
    std::ofstream out("uilib_window.bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(header), header->biSize + header->biSizeImage);
    GlobalUnlock(dib);
    DestroyDIB(copy);
    DestroyDIB(dib);
}

}  // namespace
