#pragma once

#include "platform/uilib/core/ControlUI.h"

// Text in one of the window's fonts; with SetShowHtml the text is label
// markup (see render/LabelMarkup.h).
class UILIB_API CLabelUI : public CControlUI {
public:
    CLabelUI();

    std::wstring GetClass() const override;

    void SetFont(int index);
    int GetFont() const { return font_; }
    void SetTextColor(DWORD color);
    DWORD GetTextColor() const { return textColor_; }
    void SetDisabledTextColor(DWORD color);
    // DT_ flags for alignment, word break and ellipsis.
    void SetTextStyle(UINT style);
    UINT GetTextStyle() const { return textStyle_; }
    void SetTextPadding(RECT padding);
    RECT GetTextPadding() const;  // scaled
    void SetShowHtml(bool showHtml = true);
    bool IsShowHtml() const { return showHtml_; }

    void PaintText(HDC hDC) override;
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;

protected:
    // The colour the text is drawn in for the current state.
    virtual DWORD CurrentTextColor() const;

    int font_ = -1;
    DWORD textColor_ = 0xFF333333;
    DWORD disabledTextColor_ = 0xFFA7A6AA;
    UINT textStyle_ = DT_VCENTER | DT_SINGLELINE;
    RECT textPadding_ = {0, 0, 0, 0};
    bool showHtml_ = false;
};
