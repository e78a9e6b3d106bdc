#include <gtest/gtest.h>

#include "platform/webengine/PageAddress.h"

namespace {

struct PictureCase {
    const wchar_t* address;
    const wchar_t* picture;  // null: not the picture page
};

TEST(PageAddress, FindsThePictureOfOurPageOnly) {
    const PictureCase cases[] = {
        // Every character a Windows name may hold, encoded as one component.
        {L"file:///C:/app/image.html?img=C%3A%5Cp%20%23%25%26%2B'%E5%9B%BE.png",
         L"C:\\p #%&+'图.png"},
        {L"file:///C:/app/image.html?img=C:\\a+b.png", L"C:\\a+b.png"},
        {L"FILE:///C:/App/IMAGE.HTML?x=1&img=%E4%B8%AD&y=2", L"中"},
        {L"file:///C:/app/image.html?img=a%2", L""},     // cut escape
        {L"file:///C:/app/image.html?img=%FF%FE", L""},  // not UTF-8
        {L"file:///C:/app/image.html", L""},
        {L"file:///C:/app/image.html?img=a.png#top", L"a.png"},
        {L"file:///C:/app/myimage.html?img=a.png", nullptr},
        {L"https://example.invalid/image.html?img=a.png", nullptr},
        {L"about:blank", nullptr},
    };
    for (const PictureCase& row : cases) {
        std::optional<std::wstring> picture = PicturePageImage(row.address);
        if (row.picture) {
            EXPECT_EQ(picture, std::optional<std::wstring>(row.picture)) << row.address;
        } else {
            EXPECT_FALSE(picture.has_value()) << row.address;
        }
    }
}

TEST(PageAddress, HandsOnlyWebAddressesToTheDefaultBrowser) {
    EXPECT_TRUE(IsWebAddress(L"https://example.invalid/"));
    EXPECT_TRUE(IsWebAddress(L"HTTP://example.invalid/"));
    for (const wchar_t* address :
         {L"file:///C:/Windows/notepad.exe", L"C:\\x.exe", L"javascript:alert(1)", L""}) {
        EXPECT_FALSE(IsWebAddress(address)) << address;
    }
}

}  // namespace
