#pragma once

#include <memory>

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

protected:
    // Creates the child through native_ (parent is the control's window).
    virtual bool CreateNative(HWND parent) = 0;
    // The child's rectangle: the control less its text padding and border.
    virtual RECT NativeRect() const;
    bool EnsureNative();

    std::unique_ptr<NativeChild> native_;
};
