#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/uilib/UIExport.h"
#include "platform/uilib/core/UIEvents.h"

class CPaintManagerUI;
class CDPI;

// The base of every control: a windowless rectangle that its paint manager
// lays out, paints and feeds with input. Sizes set here are layout units
// (96 DPI); the getters that say "scaled" answer in screen pixels.
class UILIB_API CControlUI {
public:
    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    // The layout element name: "Control", "Button", ...
    virtual std::wstring GetClass() const;

    const std::wstring& GetName() const { return name_; }
    virtual void SetName(LPCTSTR name);
    virtual std::wstring GetText() const { return text_; }
    virtual void SetText(LPCTSTR text);
    const std::wstring& GetToolTip() const { return toolTip_; }
    void SetToolTip(LPCTSTR toolTip);
    const std::wstring& GetUserData() const { return userData_; }
    void SetUserData(LPCTSTR data);
    UINT_PTR GetTag() const { return tag_; }
    void SetTag(UINT_PTR tag) { tag_ = tag; }

    // Place in the tree. SetManager is called when the control joins (or with
    // nullptr leaves) a window; containers pass it on to their children.
    CPaintManagerUI* GetManager() const { return manager_; }
    CControlUI* GetParent() const { return parent_; }
    virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true);
    // Pre-order walk of this control and its descendants; stops at the first
    // control for which match answers true and returns it.
    virtual CControlUI* FindFirst(const std::function<bool(CControlUI*)>& match);
    // The deepest visible control under point that takes the mouse.
    virtual CControlUI* FindControlAt(POINT point);

    // Position: GetPos is the rectangle of the last layout, in client pixels.
    const RECT& GetPos() const { return pos_; }
    virtual void SetPos(RECT rect, bool needInvalidate = true);
    // What the control asks of its parent's layout: fixed width and height in
    // pixels, 0 for "stretch".
    virtual SIZE EstimateSize(SIZE available);
    bool IsFloat() const { return float_; }
    void SetFloat(bool isFloat);
    // The "pos" attribute: for a floating control its rectangle relative to
    // the parent's top-left corner (layout units).
    RECT GetFloatPos() const { return floatPos_; }
    void SetFloatPos(RECT pos);
    int GetFixedWidth() const;  // scaled
    int GetFixedHeight() const;
    void SetFixedWidth(int width);
    void SetFixedHeight(int height);
    int GetMinWidth() const;
    int GetMaxWidth() const;
    int GetMinHeight() const;
    int GetMaxHeight() const;
    void SetMinWidth(int width);
    void SetMaxWidth(int width);
    void SetMinHeight(int height);
    void SetMaxHeight(int height);
    RECT GetPadding() const;  // scaled
    void SetPadding(RECT padding);

    // State. IsVisible is false also while an ancestor is hidden.
    virtual bool IsVisible() const { return visible_ && internVisible_; }
    virtual void SetVisible(bool visible = true);
    virtual void SetInternVisible(bool visible = true);
    virtual bool IsEnabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled = true);
    bool IsFocused() const { return focused_; }
    virtual void SetFocus();
    bool IsMouseEnabled() const { return mouseEnabled_; }
    void SetMouseEnabled(bool enabled) { mouseEnabled_ = enabled; }
    bool IsKeyboardEnabled() const { return keyboardEnabled_; }
    void SetKeyboardEnabled(bool enabled) { keyboardEnabled_ = enabled; }
    // Called by the manager when the keyboard focus arrives or leaves.
    virtual void OnFocusChanged(bool focused);
    // Selected state of options, check boxes and list rows; false for others.
    virtual bool IsSelected() const { return false; }
    // The child window of a control that edits through one (edit, rich edit,
    // hot-key field, web view), else null.
    virtual HWND GetNativeWindow() const { return nullptr; }
    // Messages the window reflects from that child (WM_COMMAND, WM_NOTIFY,
    // WM_CTLCOLOR*); true when handled, with result the answer.
    virtual bool HandleNativeMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    // True when the Tab key is text for the control rather than a move to
    // the next control.
    virtual bool WantsTab() const { return false; }
    // The action of a click (or of the test driver's click); false when the
    // control can not act (hidden or disabled).
    virtual bool Activate();

    // Appearance.
    DWORD GetBkColor() const { return bkColor_; }
    void SetBkColor(DWORD color);
    DWORD GetBorderColor() const { return borderColor_; }
    void SetBorderColor(DWORD color);
    int GetBorderSize() const { return borderSize_; }
    void SetBorderSize(int size);
    SIZE GetBorderRound() const { return borderRound_; }
    void SetBorderRound(SIZE round);
    const std::wstring& GetBkImage() const { return bkImage_; }
    void SetBkImage(LPCTSTR image);

    // Layout and painting.
    void Invalidate();
    // Asks for a new layout of the window before the next paint.
    void NeedUpdate();
    void NeedParentUpdate();
    virtual void DoInit() {}
    virtual void DoEvent(TEventUI& event);
    virtual void DoPaint(HDC hDC, const RECT& paint);
    virtual void PaintBkColor(HDC hDC);
    virtual void PaintBkImage(HDC hDC);
    virtual void PaintStatusImage(HDC) {}
    virtual void PaintText(HDC) {}
    virtual void PaintBorder(HDC hDC);
    // Draws an image attribute value into this control's rectangle.
    bool DrawImage(HDC hDC, const std::wstring& image);

    // Layout attributes; unknown names are ignored.
    virtual void SetAttribute(LPCTSTR name, LPCTSTR value);
    // "name='value' name2='value2'".
    void ApplyAttributeList(LPCTSTR list);

    // The scale of this control's window (the process scale while it has none).
    const CDPI& Dpi() const;
    int Scaled(int value) const;

protected:
    CPaintManagerUI* manager_ = nullptr;
    CControlUI* parent_ = nullptr;
    std::wstring name_;
    std::wstring text_;
    std::wstring toolTip_;
    std::wstring userData_;
    UINT_PTR tag_ = 0;
    RECT pos_ = {0, 0, 0, 0};
    RECT floatPos_ = {0, 0, 0, 0};
    bool float_ = false;
    SIZE fixed_ = {0, 0};
    SIZE min_ = {0, 0};
    SIZE max_ = {9999, 9999};
    RECT padding_ = {0, 0, 0, 0};
    bool visible_ = true;
    bool internVisible_ = true;
    bool enabled_ = true;
    bool focused_ = false;
    bool mouseEnabled_ = true;
    bool keyboardEnabled_ = false;
    DWORD bkColor_ = 0;
    DWORD borderColor_ = 0;
    int borderSize_ = 0;
    SIZE borderRound_ = {0, 0};
    std::wstring bkImage_;
};
