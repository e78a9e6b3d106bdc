#include <gtest/gtest.h>

#include "platform/uilib/core/AttributeValues.h"
#include "platform/uilib/core/ResourceArchive.h"
#include "platform/uilib/render/ImageAttribute.h"

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(AttributeValues, ColoursInEveryNotation) {
    EXPECT_EQ(ParseColor(L"#FF3B82F6"), 0xFF3B82F6u);
    EXPECT_EQ(ParseColor(L"#3B82F6"), 0xFF3B82F6u);  // no alpha: opaque
    EXPECT_EQ(ParseColor(L"0x803B82F6"), 0x803B82F6u);
    EXPECT_EQ(ParseColor(L"#GG0000"), 0u);
    EXPECT_EQ(ParseColor(L""), 0u);
}

TEST(AttributeValues, RectanglesAndMissingNumbers) {
    EXPECT_TRUE(SameRect(ParseRect(L"1,2,3,4"), RECT{1, 2, 3, 4}));
    EXPECT_TRUE(SameRect(ParseRect(L"-5, 6"), RECT{-5, 6, 0, 0}));
    EXPECT_TRUE(ParseBool(L"TRUE"));
    EXPECT_FALSE(ParseBool(L"false"));
    EXPECT_TRUE(ParseBool(L"1"));
}

TEST(AttributeValues, ListWithBothQuotesAndBlanks) {
    auto pairs = ParseAttributeList(L"file = 'a b.png'  source=\"1,2,3,4\" broken");
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].first, L"file");
    EXPECT_EQ(pairs[0].second, L"a b.png");
    EXPECT_EQ(pairs[1].second, L"1,2,3,4");
}

TEST(ImageAttribute, PlainFileName) {
    ImageAttribute image = ParseImageAttribute(L"images/xls.png");
    EXPECT_EQ(image.file, L"images/xls.png");
    EXPECT_FALSE(image.hasSource);
    EXPECT_FALSE(image.hasDest);
}

TEST(ImageAttribute, SourceDestCornerAndFade) {
    ImageAttribute image = ParseImageAttribute(
        L"file='../default/button/scroll.png' source='12,0,24,21' dest='380,16,404,40' "
        L"corner='2,2,2,2' fade='128'");
    EXPECT_EQ(image.file, L"../default/button/scroll.png");
    EXPECT_TRUE(image.hasSource && SameRect(image.source, RECT{12, 0, 24, 21}));
    EXPECT_TRUE(image.hasDest && SameRect(image.dest, RECT{380, 16, 404, 40}));
    EXPECT_TRUE(SameRect(image.corner, RECT{2, 2, 2, 2}));
    EXPECT_EQ(image.fade, 128);
}

TEST(ImageAttribute, TheScanStripSyntaxWithBlanksAroundEquals) {
    ImageAttribute image =
        ParseImageAttribute(L"file = '../default/gif/scan.png' source = '382,0,573,158'");
    EXPECT_EQ(image.file, L"../default/gif/scan.png");
    EXPECT_TRUE(SameRect(image.source, RECT{382, 0, 573, 158}));
}

TEST(ImageAttribute, DoubleScaleNameGoesBeforeTheExtension) {
    EXPECT_EQ(DoubleScaleName(L"images/a.png"), L"images/a@200.png");
    EXPECT_EQ(DoubleScaleName(L"../default.v2/icon"), L"../default.v2/icon@200");
}

TEST(ResourceArchive, EntryNamesAreNormalised) {
    EXPECT_EQ(NormalizeEntryName("skin/../default/images/y.png"), "default/images/y.png");
    EXPECT_EQ(NormalizeEntryName("skin\\images\\.\\x.png"), "skin/images/x.png");
    EXPECT_EQ(NormalizeEntryName("../../a.png"), "a.png");
}

TEST(ResourceArchive, RefusesBytesThatAreNoZip) {
    ResourceArchive archive;
    EXPECT_FALSE(archive.Open("not a zip", 9));
    std::string bytes;
    EXPECT_FALSE(archive.Read("skin/skin.xml", bytes));
}

}  // namespace
