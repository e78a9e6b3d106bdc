#include <gtest/gtest.h>

#include "platform/uilib/render/LabelMarkup.h"

namespace {

TEST(LabelMarkup, TheNicknameMarkup) {
    auto runs = ParseLabelMarkup(L"{f 5}张三{/f}{x 6}{i images/arrow.png}");
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].kind, MarkupRun::Text);
    EXPECT_EQ(runs[0].text, L"张三");
    EXPECT_EQ(runs[0].fontIndex, 5);
    EXPECT_EQ(runs[1].kind, MarkupRun::Space);
    EXPECT_EQ(runs[1].space, 6);
    EXPECT_EQ(runs[2].kind, MarkupRun::Image);
    EXPECT_EQ(runs[2].text, L"images/arrow.png");
}

TEST(LabelMarkup, FontByFaceAndSize) {
    auto runs = ParseLabelMarkup(L"{f 微软雅黑 12}1024px{/f}");
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].fontFace, L"微软雅黑");
    EXPECT_EQ(runs[0].fontSize, 12);
    EXPECT_EQ(runs[0].fontIndex, -1);
}

TEST(LabelMarkup, ColoursNestInsideFontsAndEndInOrder) {
    auto runs = ParseLabelMarkup(L"a{f 1}b{c #FFFF0000}c{/c}d{/f}e");
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0].fontIndex, -1);
    EXPECT_EQ(runs[2].text, L"c");
    EXPECT_EQ(runs[2].fontIndex, 1);
    EXPECT_EQ(runs[2].color, 0xFFFF0000u);
    EXPECT_EQ(runs[3].text, L"d");
    EXPECT_EQ(runs[3].color, 0u);
    EXPECT_EQ(runs[4].fontIndex, -1);
}

TEST(LabelMarkup, UnknownAndUnclosedTagsStayText) {
    auto runs = ParseLabelMarkup(L"{q}x{/f}{f 2");
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, L"{q}x{/f}{f 2");
}

TEST(LabelMarkup, DoubledBraceIsALiteralBrace) {
    auto runs = ParseLabelMarkup(L"{{x 3}");
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, L"{x 3}");
}

}  // namespace
