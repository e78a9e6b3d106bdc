#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/uilib/UiTestSupport.h"

namespace {

// The full name of the face the system draws a font with ("... Bold" for a
// face drawn bold by design).
std::wstring FullFaceName(HFONT font) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    std::wstring name;
    if (UINT size = GetOutlineTextMetricsW(dc, 0, nullptr)) {
        std::vector<char> buffer(size);
        auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
        if (GetOutlineTextMetricsW(dc, size, metrics)) {
            name = reinterpret_cast<const wchar_t*>(
                buffer.data() + reinterpret_cast<size_t>(metrics->otmpFaceName));
        }
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return name;
}

// The layouts' bold titles are drawn with a bold face of their own, not a
// regular face thickened by the system, which runs narrow letters together
// (the "i" of "Pimlo" then reads as an "I").
TEST(FontFaceTest, TheLayoutFontHasABoldFaceOfItsOwn) {
    CPaintManagerUI manager;
    const std::wstring regular = FullFaceName(manager.GetFont(L"微软雅黑", 16, false));
    const std::wstring bold = FullFaceName(manager.GetFont(L"微软雅黑", 16, true));
    ASSERT_FALSE(regular.empty());
    EXPECT_NE(bold, regular);
}

}  // namespace
