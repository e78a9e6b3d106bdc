#include "platform/webengine/NoticePainting.h"

#include "common/Win32Handles.h"

const wchar_t kNoWebEngineReason[] = L"这台电脑上没有可以显示网页的网页引擎，无法在此显示网页。";

namespace {

constexpr int kMargin = 24;       // pixels around the text at 96 DPI
constexpr int kLineGap = 12;      // pixels between the blocks at 96 DPI
constexpr int kTitleHeight = 20;  // character height at 96 DPI
constexpr int kTextHeight = 15;   // character height at 96 DPI
constexpr COLORREF kTextColour = RGB(0x33, 0x33, 0x33);
constexpr COLORREF kLinkColour = RGB(0x1A, 0x5F, 0xB4);

GdiObject<HFONT> MakeFont(HDC dc, int height, int weight, bool underline) {
    return GdiObject<HFONT>(CreateFontW(-MulDiv(height, GetDeviceCaps(dc, LOGPIXELSY), 96), 0, 0, 0,
                                        weight, FALSE, underline, FALSE, DEFAULT_CHARSET,
                                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                        DEFAULT_PITCH, L"微软雅黑"));
}

// Draws text from top, wrapped to area's width; returns the rectangle it took.
RECT DrawBlock(HDC dc, const RECT& area, int top, const std::wstring& text, HFONT font,
               COLORREF colour) {
    SelectedObject selected(dc, font);
    SetTextColor(dc, colour);
    RECT block = {area.left, top, area.right, area.bottom};
    const UINT format = DT_LEFT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &block, format | DT_CALCRECT);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &block, format);
    return block;
}

}  // namespace

RECT PaintNotice(HDC dc, const RECT& area, const std::wstring& address, bool offerLink) {
    GdiObject<HBRUSH> white(CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF)));
    FillRect(dc, &area, white.get());
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    const int margin = MulDiv(kMargin, dpi, 96);
    const int gap = MulDiv(kLineGap, dpi, 96);
    RECT text = {area.left + margin, area.top + margin, area.right - margin, area.bottom - margin};
    if (text.right <= text.left || text.bottom <= text.top) {
        return RECT{};
    }
    SetBkMode(dc, TRANSPARENT);
    GdiObject<HFONT> title = MakeFont(dc, kTitleHeight, FW_BOLD, false);
    GdiObject<HFONT> body = MakeFont(dc, kTextHeight, FW_NORMAL, false);
    GdiObject<HFONT> link = MakeFont(dc, kTextHeight, FW_NORMAL, true);

    RECT block = DrawBlock(dc, text, text.top, L"无法显示此网页", title.get(), kTextColour);
    block = DrawBlock(dc, text, block.bottom + gap, address, body.get(), kTextColour);
    block = DrawBlock(dc, text, block.bottom + gap, kNoWebEngineReason, body.get(), kTextColour);
    if (!offerLink) {
        return RECT{};
    }
    return DrawBlock(dc, text, block.bottom + gap, L"在默认浏览器中打开此网页", link.get(),
                     kLinkColour);
}
