#pragma once

#include "platform/uilib/controls/LabelUI.h"

// A label that is clicked: state images (normal, hot, pushed, focused,
// disabled), colours per state, and a fore image drawn on top, which the
// program may change at run time (SetForeImage).
class UILIB_API CButtonUI : public CLabelUI {
public:
    CButtonUI();

    std::wstring GetClass() const override;

    // Sends "click"; false when hidden or disabled.
    bool Activate() override;
    void SetEnabled(bool enabled = true) override;

    void SetNormalImage(LPCTSTR image);
    void SetHotImage(LPCTSTR image);
    void SetPushedImage(LPCTSTR image);
    void SetFocusedImage(LPCTSTR image);
    void SetDisabledImage(LPCTSTR image);
    void SetForeImage(LPCTSTR image);
    const std::wstring& GetForeImage() const { return foreImage_; }
    void SetHotTextColor(DWORD color);
    void SetPushedTextColor(DWORD color);
    void SetHotBkColor(DWORD color);
    // Draws from now on as other does: its state images, text and background
    // colours. The text, size and fore image stay this button's own.
    void TakeLookOf(const CButtonUI& other);
    UINT GetState() const { return state_; }

    void DoEvent(TEventUI& event) override;
    void PaintBkColor(HDC hDC) override;
    void PaintStatusImage(HDC hDC) override;
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;

protected:
    DWORD CurrentTextColor() const override;
    // The image for the current state, or empty for the normal one.
    virtual const std::wstring& StateImage() const;

    UINT state_ = 0;
    std::wstring normalImage_;
    std::wstring hotImage_;
    std::wstring pushedImage_;
    std::wstring focusedImage_;
    std::wstring disabledImage_;
    std::wstring foreImage_;
    DWORD hotTextColor_ = 0;
    DWORD pushedTextColor_ = 0;
    DWORD hotBkColor_ = 0;
};
