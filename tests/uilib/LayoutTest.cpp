#include <gtest/gtest.h>

#include "tests/uilib/UiTestSupport.h"

namespace {

// Builds the XML in a window-less manager and lays it out in rect.
class LayoutTest : public ::testing::Test {
protected:
    CControlUI* Build(const wchar_t* xml, RECT rect = {0, 0, 300, 200}) {
        CControlUI* root = CDialogBuilder().Create(xml, nullptr, nullptr, &manager_);
        manager_.AttachDialog(root);
        root->SetPos(rect, false);
        return root;
    }
    RECT PosOf(const wchar_t* name) { return manager_.FindControl(name)->GetPos(); }

    CPaintManagerUI manager_;
};

TEST_F(LayoutTest, FixedChildrenKeepTheirSizeAndStretchingOnesShareTheRest) {
    Build(
        L"<VerticalLayout inset='10,10,10,10' childpadding='4'>"
        L"<Control name='a' height='30'/><Control name='b'/><Control name='c'/></VerticalLayout>");
    EXPECT_EQ(PosOf(L"a").top, 10);
    EXPECT_EQ(PosOf(L"a").bottom, 40);
    EXPECT_EQ(PosOf(L"a").left, 10);
    EXPECT_EQ(PosOf(L"a").right, 290);
    // 180 high inside the inset: 30 fixed, 2 x 4 padding, 142 for two.
    EXPECT_EQ(PosOf(L"b").top, 44);
    EXPECT_EQ(PosOf(L"b").bottom, 115);
    EXPECT_EQ(PosOf(L"c").top, 119);
    EXPECT_EQ(PosOf(L"c").bottom, 190);
}

TEST_F(LayoutTest, PaddingAndFixedWidthInARow) {
    Build(
        L"<HorizontalLayout><Control name='a' width='50' padding='5,6,7,8'/>"
        L"<Control name='b'/></HorizontalLayout>");
    EXPECT_EQ(PosOf(L"a").left, 5);
    EXPECT_EQ(PosOf(L"a").right, 55);
    EXPECT_EQ(PosOf(L"a").top, 6);
    EXPECT_EQ(PosOf(L"a").bottom, 192);
    EXPECT_EQ(PosOf(L"b").left, 62);
    EXPECT_EQ(PosOf(L"b").right, 300);
}

TEST_F(LayoutTest, HiddenChildrenTakeNoRoomAndFloatingOnesSitAtTheirPos) {
    Build(
        L"<HorizontalLayout inset='10,20,0,0'><Control name='gone' width='100' visible='false'/>"
        L"<Control name='a' width='40'/>"
        L"<Control name='f' float='true' pos='5,6,25,16'/></HorizontalLayout>");
    EXPECT_EQ(PosOf(L"a").left, 10);
    RECT floating = PosOf(L"f");
    EXPECT_EQ(floating.left, 15);
    EXPECT_EQ(floating.top, 26);
    EXPECT_EQ(floating.right, 35);
    EXPECT_EQ(floating.bottom, 36);
}

TEST_F(LayoutTest, MinimumAndMaximumBoundStretching) {
    Build(
        L"<HorizontalLayout><Control name='a' maxwidth='50'/><Control name='b' minwidth='200'/>"
        L"</HorizontalLayout>");
    EXPECT_EQ(PosOf(L"a").right - PosOf(L"a").left, 50);
    EXPECT_GE(PosOf(L"b").right - PosOf(L"b").left, 200);
}

TEST_F(LayoutTest, DoubleScaleDoublesEveryLayoutNumber) {
    manager_.SetDPI(192);
    Build(
        L"<VerticalLayout inset='10,10,10,10'><Control name='a' height='30' padding='0,5,0,0'/>"
        L"</VerticalLayout>",
        RECT{0, 0, 600, 400});
    EXPECT_EQ(PosOf(L"a").top, 30);
    EXPECT_EQ(PosOf(L"a").bottom, 90);
    EXPECT_EQ(PosOf(L"a").left, 20);
    manager_.SetDPI(96);
}

TEST_F(LayoutTest, TabLayoutShowsOnlyTheSelectedPage) {
    Build(L"<TabLayout name='tab'><Control name='p0'/><Control name='p1'/></TabLayout>");
    auto* tab = static_cast<CTabLayoutUI*>(manager_.FindControl(L"tab"));
    EXPECT_TRUE(manager_.FindControl(L"p0")->IsVisible());
    EXPECT_FALSE(manager_.FindControl(L"p1")->IsVisible());
    EXPECT_TRUE(tab->SelectItem(1));
    EXPECT_FALSE(manager_.FindControl(L"p0")->IsVisible());
    EXPECT_TRUE(manager_.FindControl(L"p1")->IsVisible());
    EXPECT_FALSE(tab->SelectItem(2));
    EXPECT_EQ(tab->GetCurSel(), 1);
}

TEST_F(LayoutTest, HidingAContainerHidesItsChildren) {
    Build(
        L"<VerticalLayout><HorizontalLayout name='row'><Control name='inner'/></HorizontalLayout>"
        L"</VerticalLayout>");
    manager_.FindControl(L"row")->SetVisible(false);
    EXPECT_FALSE(manager_.FindControl(L"inner")->IsVisible());
    manager_.FindControl(L"row")->SetVisible(true);
    EXPECT_TRUE(manager_.FindControl(L"inner")->IsVisible());
}

}  // namespace
