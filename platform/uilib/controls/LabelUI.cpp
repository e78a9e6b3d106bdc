#include "platform/uilib/controls/LabelUI.h"

#include "platform/uilib/core/AttributeValues.h"
#include "platform/uilib/core/PaintManagerUI.h"
#include "platform/uilib/render/RenderEngine.h"

CLabelUI::CLabelUI() = default;

std::wstring CLabelUI::GetClass() const { return L"Label"; }

void CLabelUI::SetFont(int index) {
    font_ = index;
    Invalidate();
}

void CLabelUI::SetTextColor(DWORD color) {
    textColor_ = color;
    Invalidate();
}

void CLabelUI::SetDisabledTextColor(DWORD color) {
    disabledTextColor_ = color;
    Invalidate();
}

void CLabelUI::SetTextStyle(UINT style) {
    textStyle_ = style;
    Invalidate();
}

void CLabelUI::SetTextPadding(RECT padding) {
    textPadding_ = padding;
    Invalidate();
}

RECT CLabelUI::GetTextPadding() const { return Dpi().Scale(textPadding_); }

void CLabelUI::SetShowHtml(bool showHtml) {
    showHtml_ = showHtml;
    Invalidate();
}

DWORD CLabelUI::CurrentTextColor() const { return IsEnabled() ? textColor_ : disabledTextColor_; }

void CLabelUI::PaintText(HDC hDC) {
    std::wstring text = GetText();
    if (text.empty() || !manager_) {
        return;
    }
    RECT padding = GetTextPadding();
    RECT box = {pos_.left + padding.left, pos_.top + padding.top, pos_.right - padding.right,
                pos_.bottom - padding.bottom};
    if (showHtml_) {
        CRenderEngine::DrawHtmlText(hDC, manager_, box, text.c_str(), CurrentTextColor(), font_,
                                    textStyle_);
    } else {
        CRenderEngine::DrawText(hDC, manager_, box, text.c_str(), CurrentTextColor(), font_,
                                textStyle_);
    }
}

void CLabelUI::SetAttribute(LPCTSTR name, LPCTSTR value) {
    std::wstring_view key = name;
    std::wstring_view text = value;
    if (key == L"font") {
        SetFont(ParseInt(value));
    } else if (key == L"textcolor") {
        SetTextColor(ParseColor(value));
    } else if (key == L"disabledtextcolor") {
        SetDisabledTextColor(ParseColor(value));
    } else if (key == L"textpadding") {
        SetTextPadding(ParseRect(value));
    } else if (key == L"showhtml") {
        SetShowHtml(ParseBool(value));
    } else if (key == L"align") {
        textStyle_ &= ~(DT_LEFT | DT_CENTER | DT_RIGHT);
        if (text.find(L"center") != std::wstring_view::npos) {
            textStyle_ |= DT_CENTER;
        } else if (text.find(L"right") != std::wstring_view::npos) {
            textStyle_ |= DT_RIGHT;
        }
    } else if (key == L"valign") {
        textStyle_ &= ~(DT_TOP | DT_VCENTER | DT_BOTTOM);
        if (text.find(L"vcenter") != std::wstring_view::npos || text == L"center") {
            textStyle_ |= DT_VCENTER;
        } else if (text.find(L"bottom") != std::wstring_view::npos) {
            textStyle_ |= DT_BOTTOM;
        }
    } else if (key == L"endellipsis") {
        textStyle_ =
            ParseBool(value) ? (textStyle_ | DT_END_ELLIPSIS) : (textStyle_ & ~DT_END_ELLIPSIS);
    } else if (key == L"pathellipsis") {
        // A path too long for the label loses its middle, so the file name at
        // its end stays readable.
        textStyle_ =
            ParseBool(value) ? (textStyle_ | DT_PATH_ELLIPSIS) : (textStyle_ & ~DT_PATH_ELLIPSIS);
    } else if (key == L"wordbreak" || key == L"multiline") {
        if (ParseBool(value)) {
            textStyle_ = (textStyle_ & ~DT_SINGLELINE) | DT_WORDBREAK;
        } else {
            textStyle_ = (textStyle_ & ~DT_WORDBREAK) | DT_SINGLELINE;
        }
    } else {
        CControlUI::SetAttribute(name, value);
    }
    Invalidate();
}
