#include <gtest/gtest.h>

#include <string>

#include "app/TextFormat.h"

TEST(TextFormat, FillsPlaceholdersInOrder) {
    EXPECT_EQ(FormatText(L"第 %d/%d 张：%s", {1, 3, L"a.png"}), L"第 1/3 张：a.png");
    EXPECT_EQ(FormatText(L"%d%% %ls %S", {50, L"x", L"y"}), L"50% x y");
    EXPECT_EQ(FormatText(L"[%5d|%-5d|%05d|%+d|%x|%#X|%.3d|%u]", {42, 42, 42, 42, 255, 255, 7, -1}),
              L"[   42|42   |00042|+42|ff|0XFF|007|4294967295]");
    EXPECT_EQ(FormatText(L"[%4s|%-4s|%.2s|%c]", {L"ab", L"ab", L"abc", 0x5B57}),
              L"[  ab|ab  |ab|字]");
    EXPECT_EQ(FormatText(L"%ld %lld %I64d %hd", {1, 2, 3, 4}), L"1 2 3 4");
    EXPECT_EQ(FormatText(L"no placeholders", {1}), L"no placeholders");
}

TEST(TextFormat, EditedTextsCanNotMisuseTheArguments) {
    // A wrong kind shows the argument as it is.
    EXPECT_EQ(FormatText(L"%s items, name %d", {3, L"a.png"}), L"3 items, name a.png");
    // A placeholder without an argument, or one that is not known, stays as written.
    EXPECT_EQ(FormatText(L"%s and %s", {L"one"}), L"one and %s");
    EXPECT_EQ(FormatText(L"%n %p %y 100%", {1}), L"%n %p %y 100%");
    // Widths are bounded.
    EXPECT_EQ(FormatText(L"%999999999d", {1}).size(), 1024u);
}

TEST(TextFormat, PlaceholderKindsListWhatAFormatExpects) {
    EXPECT_EQ(PlaceholderKinds(L"第 %d/%d 张：%s"), "dds");
    EXPECT_EQ(PlaceholderKinds(L"%-8.3ls %I64u 50%%"), "sd");
    EXPECT_EQ(PlaceholderKinds(L"100% %y"), "??");
    EXPECT_EQ(PlaceholderKinds(L"plain"), "");
}
