// Screen capture through the real program: its overlay cut a line of text
// out of the screen with the display's own mouse and keys, and the stand-in
// cloud service read it.
#include <gtest/gtest.h>

#include "app/LanguageText.h"
#include "tests/app/AppTestSupport.h"
#include "tests/e2e/DisplayInput.h"
#include "tests/e2e/ProgramFixture.h"
#include "tests/e2e/ProgramSession.h"
#include "tests/e2e/ProgramStartState.h"
#include "tests/e2e/ScreenCaptureSupport.h"
#include "tests/e2e/StandIns.h"

namespace {

class ScreenCaptureEndToEnd : public ProgramAgainstStandIns {
protected:
    static bool OverlayGone(const ProgramSession& program) {
        return ProgramSession::WaitFor([&] {
            return !FindWindowW(L"ScreenCuttingWnd", nullptr) && IsWindowVisible(program.Window());
        });
    }

    ShownText shown_;
};

TEST_F(ScreenCaptureEndToEnd, DraggingAroundTextOnTheScreenReadsIt) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    const int before = TextRequests();
    ASSERT_TRUE(program.Click(L"Screenshot-OCR"));
    ASSERT_NE(CaptureOverlay(program), nullptr);
    EXPECT_FALSE(IsWindowVisible(program.Window()));

    ASSERT_TRUE(Xdotool(DragAroundShownText()));
    ASSERT_TRUE(OverlayGone(program));
    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    EXPECT_TRUE(program.Visible(L"ocrText"));
    EXPECT_TRUE(HoldsShownText(program.Text(L"ocrText"))) << program.Text(L"ocrText");
    EXPECT_EQ(TextRequests(), before + 1);
}

TEST_F(ScreenCaptureEndToEnd, AClickTakesTheWindowUnderTheMouse) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    ASSERT_TRUE(program.Click(L"Screenshot-OCR"));
    ASSERT_NE(CaptureOverlay(program), nullptr);

    ASSERT_TRUE(Xdotool("mousemove " + std::to_string(kShownTextPlace.left + 60) + " " +
                        std::to_string(kShownTextPlace.top + 20) + " sleep 0.2 click 1"));
    ASSERT_TRUE(OverlayGone(program));
    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    EXPECT_TRUE(HoldsShownText(program.Text(L"ocrText"))) << program.Text(L"ocrText");
}

TEST_F(ScreenCaptureEndToEnd, TabHeldAtTheReleaseMakesASpreadsheet) {
    const char kTableRequest[] = "/rest/2.0/solution/v1/form_ocr/request";
    const int before = standIns_.CountRequests("ocr", kTableRequest);
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    ASSERT_TRUE(program.Click(L"Screenshot-OCR"));
    ASSERT_NE(CaptureOverlay(program), nullptr);

    ASSERT_TRUE(Xdotool(DragAroundShownText(true)));
    ASSERT_TRUE(OverlayGone(program));
    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    EXPECT_TRUE(program.Visible(L"listFiles"));
    EXPECT_EQ(program.Text(L"resultNote"), Text(TextKeys::BatchSavedSheets));
    EXPECT_EQ(standIns_.CountRequests("ocr", kTableRequest), before + 1);
}

TEST_F(ScreenCaptureEndToEnd, EscapeAndTheRightButtonCancelAndKeepThePreviousPicture) {
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    ASSERT_TRUE(program.Click(L"Screenshot-OCR"));
    ASSERT_NE(CaptureOverlay(program), nullptr);
    ASSERT_TRUE(Xdotool(DragAroundShownText()));
    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    const std::wstring result = program.Text(L"ocrText");
    const int before = TextRequests();

    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring picture = JoinPath(temp, L"pimloOCR\\screencut\\screen_cutting.jpg");
    ASSERT_TRUE(FileExists(picture));
    for (const char* cancel : {"key Escape", "click 3"}) {
        // The hot key starts a capture from the result page as well.
        PostMessageW(program.Window(), WM_HOTKEY, 1, MAKELPARAM(0, VK_F4));
        ASSERT_NE(CaptureOverlay(program), nullptr) << cancel;
        ASSERT_TRUE(Xdotool(std::string("mousemove 700 500 sleep 0.2 ") + cancel));
        ASSERT_TRUE(OverlayGone(program)) << cancel;
    }
    EXPECT_TRUE(FileExists(picture));
    EXPECT_EQ(program.Text(L"ocrText"), result);
    EXPECT_EQ(TextRequests(), before);
}

TEST_F(ScreenCaptureEndToEnd, TheHotKeyStartsNoCaptureDuringARun) {
    ASSERT_TRUE(standIns_.Script(R"([{"host":"ocr","path":"/rest/2.0/ocr/v1/general_basic",
                                      "delayMs":3000}])"));
    ProgramSession program;
    ASSERT_NE(program.Window(), nullptr);
    ASSERT_TRUE(program.Click(L"Screenshot-OCR"));
    ASSERT_NE(CaptureOverlay(program), nullptr);
    ASSERT_TRUE(Xdotool(DragAroundShownText()));
    ASSERT_TRUE(
        ProgramSession::WaitFor([&] { return program.Value(L"buttonOCR", L"enabled") == L"0"; }));

    PostMessageW(program.Window(), WM_HOTKEY, 1, MAKELPARAM(0, VK_F4));
    Sleep(1000);
    EXPECT_EQ(FindWindowW(L"ScreenCuttingWnd", nullptr), nullptr);
    ASSERT_TRUE(program.WaitForRunEnd(kRunTimeoutMs));
    EXPECT_TRUE(HoldsShownText(program.Text(L"ocrText"))) << program.Text(L"ocrText");
}

}  // namespace
