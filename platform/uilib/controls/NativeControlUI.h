#pragma once

#include <memory>

#include "common/Win32Handles.h"
#include "platform/uilib/controls/LabelUI.h"

class NativeChild;

// The base of controls that edit through a native child window (edit,
// rich edit, hot-key field, web view): the child is made at the first
// layout once the window exists, covers NativeRect(), and follows the
// control's visibility, enabled state and keyboard focus.
class UILIB_API CNativeControlUI : public CLabelUI {
public:
    CNativeControlUI();
    ~CNativeControlUI() override;

    HWND GetNativeWindow() const override;
    void SetPos(RECT rect, bool needInvalidate = true) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetEnabled(bool enabled = true) override;
    void OnFocusChanged(bool focused) override;
    void PaintText(HDC) override {}
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;

protected:
    // Creates the child through native_ (parent is the control's window).
    virtual bool CreateNative(HWND parent) = 0;
    // The child's rectangle: the control less its text padding and border.
    virtual RECT NativeRect() const;
    bool EnsureNative();
    // rect cut to one line of the control's font, centred in it: where a
    // one-line child draws its text, so the text sits in the middle.
    RECT OneLineCentred(RECT rect) const;
    // The answer to the child's WM_CTLCOLOR* message: the control's text
    // colour on its background colour, so the child shows the layout's look.
    LRESULT ColourChild(HDC dc);

    // The brush of that answer, made on first use in the background colour.
    GdiObject<HBRUSH> background_;

    std::unique_ptr<NativeChild> native_;
};
