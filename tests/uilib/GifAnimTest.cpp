#include <gtest/gtest.h>

#include <set>

#include "tests/uilib/UiTestSupport.h"

namespace {

class GifAnimTest : public ControlsWindowTest {
protected:
    void TearDown() override { Find<CGifAnimUI>(L"gif")->StopGif(); }
    // The colour shown in the middle of the animation, as on the screen.
    static COLORREF ShownColour() {
        POINT centre = {0, 0};
        RECT pos = Find<CGifAnimUI>(L"gif")->GetPos();
        centre = {(pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2};
        ClientToScreen(window_->GetHWND(), &centre);
        HDC screen = GetDC(nullptr);
        COLORREF colour = GetPixel(screen, centre.x, centre.y);
        ReleaseDC(nullptr, screen);
        return colour;
    }
    // The colours shown while messages are handled for that long.
    static std::set<COLORREF> ColoursShownDuring(DWORD milliseconds) {
        std::set<COLORREF> seen;
        for (DWORD start = GetTickCount(); GetTickCount() - start < milliseconds;) {
            PumpMessages(10);
            seen.insert(ShownColour());
        }
        return seen;
    }
};

TEST_F(GifAnimTest, PlayingShowsEveryFrameOnTheControlsOwnTimer) {
    auto* gif = Find<CGifAnimUI>(L"gif");
    window_->timerCalls = 0;
    gif->PlayGif();
    EXPECT_TRUE(gif->IsPlaying());
    EXPECT_EQ(gif->GetFrameCount(), 3);
    std::set<COLORREF> expected = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    EXPECT_EQ(ColoursShownDuring(600), expected);
    // The window's own timers (the scan animation's) never see the frames'.
    EXPECT_EQ(window_->timerCalls, 0);
}

TEST_F(GifAnimTest, StoppingGoesBackToTheFirstFrameAndStaysThere) {
    auto* gif = Find<CGifAnimUI>(L"gif");
    gif->PlayGif();
    PumpMessages(120);
    gif->StopGif();
    EXPECT_FALSE(gif->IsPlaying());
    std::set<COLORREF> expected = {RGB(255, 0, 0)};
    EXPECT_EQ(ColoursShownDuring(300), expected);
}

}  // namespace
