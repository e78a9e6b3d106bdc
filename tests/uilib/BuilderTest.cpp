#include <gtest/gtest.h>

#include "tests/uilib/UiTestSupport.h"

namespace {

class BuilderTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseFixtureResources();
        manager_.SetLayoutFolder(L"");
    }
    CPaintManagerUI manager_;
};

TEST_F(BuilderTest, BuildsTheLayoutFromTheArchiveWithIncludedFontsAndDefaults) {
    CControlUI* root = CDialogBuilder().Create(L"skin.xml", nullptr, nullptr, &manager_);
    ASSERT_NE(root, nullptr);
    manager_.AttachDialog(root);
    EXPECT_EQ(manager_.GetInitSize().cx, 400);
    EXPECT_EQ(manager_.GetCaptionRect().bottom, 40);
    auto* button = static_cast<CButtonUI*>(manager_.FindControl(L"btnGo"));
    ASSERT_NE(button, nullptr);
    // The Default entry gives the height; the element's own colour wins.
    EXPECT_EQ(button->GetFixedHeight(), 30);
    EXPECT_EQ(button->GetTextColor(), 0xFFFFFFFFu);
    EXPECT_EQ(static_cast<CButtonUI*>(manager_.FindControl(L"btnHidden"))->GetTextColor(),
              0xFF112233u);
    LOGFONTW font = {};
    GetObjectW(manager_.GetFont(1), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -14);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_STREQ(font.lfFaceName, L"微软雅黑");
}

TEST_F(BuilderTest, UnknownElementsAskTheCallback) {
    struct Callback : IDialogBuilderCallback {
        CControlUI* CreateControl(LPCTSTR name) override {
            asked = name;
            return new CLabelUI;
        }
        std::wstring asked;
    } callback;
    CControlUI* root =
        CDialogBuilder().Create(L"<MyWidget name='w'/>", nullptr, &callback, &manager_);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(callback.asked, L"MyWidget");
    delete root;
}

TEST_F(BuilderTest, ChildrenOfAControlThatHoldsNoneAreNotKept) {
    // A menu separator holds its line as a child element, as in the menus.
    struct Probe : CControlUI {
        explicit Probe(int& live) : live_(live) { ++live_; }
        ~Probe() override { --live_; }
        int& live_;
    };
    struct Callback : IDialogBuilderCallback {
        CControlUI* CreateControl(LPCTSTR) override { return new Probe(live); }
        int live = 0;
    } callback;
    CControlUI* root = CDialogBuilder().Create(
        L"<VerticalLayout><Probe/><MenuElement "
        L"enabled='false'><Probe/></MenuElement></VerticalLayout>",
        nullptr, &callback, &manager_);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(static_cast<CContainerUI*>(root)->GetCount(), 2);
    EXPECT_EQ(callback.live, 1);
    delete root;
    EXPECT_EQ(callback.live, 0);
}

TEST_F(BuilderTest, AMissingLayoutGivesNoTree) {
    EXPECT_EQ(CDialogBuilder().Create(L"nowhere.xml", nullptr, nullptr, &manager_), nullptr);
    EXPECT_EQ(CDialogBuilder().Create(L"<Unclosed", nullptr, nullptr, &manager_), nullptr);
}

TEST_F(BuilderTest, ALayoutThatIncludesItselfEnds) {
    CControlUI* root =
        CDialogBuilder().Create(L"<Window><Include source='loop.xml'/><Label name='x'/></Window>",
                                nullptr, nullptr, &manager_);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->GetName(), L"x");
    delete root;
}

TEST_F(BuilderTest, ImagesComeFromTheArchiveAndAt200PercentTheDoubleOnes) {
    auto normal = manager_.GetImage(L"images/dot.png");
    ASSERT_NE(normal, nullptr);
    EXPECT_EQ(normal->Width(), 4);
    EXPECT_EQ(normal->PixelsPerUnit(), 1);
    manager_.SetDPI(192);
    auto doubled = manager_.GetImage(L"images/dot.png");
    ASSERT_NE(doubled, nullptr);
    EXPECT_EQ(doubled->Width(), 8);
    EXPECT_EQ(doubled->PixelsPerUnit(), 2);
    // Without an "@200" picture the 100 % one is stretched.
    auto only100 = manager_.GetImage(L"../default/images/only100.png");
    ASSERT_NE(only100, nullptr);
    EXPECT_EQ(only100->PixelsPerUnit(), 1);
    manager_.SetDPI(96);
}

TEST_F(BuilderTest, FilesMissingFromTheArchiveAreReadFromTheSkinFolder) {
    CPaintManagerUI empty;
    CPaintManagerUI::SetResourceZip(nullptr, 0);
    empty.SetLayoutFolder(L"");
    std::string bytes;
    EXPECT_TRUE(empty.ReadResource(L"row.xml", bytes));
    EXPECT_NE(bytes.find("ListContainerElement"), std::string::npos);
    // Put the archive back for the other tests.
    std::string zip;
    ReadFileBytes(PIMLO_UILIB_FIXTURE_ZIP, zip);
    CPaintManagerUI::SetResourceZip(zip.data(), static_cast<unsigned>(zip.size()));
}

}  // namespace
