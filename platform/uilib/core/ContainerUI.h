#pragma once

#include <vector>

#include "platform/uilib/core/ControlUI.h"

class CScrollBarUI;

// A control that owns child controls. This base places every child over its
// whole client area (the rectangle less the inset), which is what a tab
// layout needs; the vertical and horizontal layouts stack them instead.
// With "vscrollbar" it scrolls its children vertically.
class UILIB_API CContainerUI : public CControlUI {
public:
    CContainerUI();
    ~CContainerUI() override;

    std::wstring GetClass() const override;

    int GetCount() const { return static_cast<int>(items_.size()); }
    CControlUI* GetItemAt(int index) const;
    int GetItemIndex(CControlUI* control) const;
    bool SetItemIndex(CControlUI* control, int index);
    virtual bool Add(CControlUI* control);
    virtual bool AddAt(CControlUI* control, int index);
    // Takes the child out of the tree; it is deleted unless doNotDestroy.
    virtual bool Remove(CControlUI* control, bool doNotDestroy = false);
    virtual bool RemoveAt(int index, bool doNotDestroy = false);
    virtual void RemoveAll();
    CControlUI* FindSubControlByName(LPCTSTR name);

    RECT GetInset() const;  // scaled
    void SetInset(RECT inset);
    int GetChildPadding() const;  // scaled
    void SetChildPadding(int padding);

    void EnableScrollBar(bool vertical = true);
    CScrollBarUI* GetVerticalScrollBar() const { return verticalScrollBar_; }
    int GetScrollPos() const { return scrollPos_; }
    // Scrolls the children; clamped to the scrollable range.
    void SetScrollPos(int position);
    int GetScrollRange() const { return scrollRange_; }
    // Scrolls so that the child is inside the visible area.
    void EnsureVisible(CControlUI* control);

    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    CControlUI* FindFirst(const std::function<bool(CControlUI*)>& match) override;
    CControlUI* FindControlAt(POINT point) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetPos(RECT rect, bool needInvalidate = true) override;
    void DoPaint(HDC hDC, const RECT& paint) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;

protected:
    // The rectangle children are laid out in: the position less the inset
    // and less a shown scroll bar.
    RECT ClientRect() const;
    // Places a floating child by its "pos", relative to the client area.
    void PlaceFloatChild(CControlUI* child, const RECT& client);
    // After a layout: content height in pixels, to size the scroll bar.
    void UpdateScrollRange(int contentHeight, int visibleHeight);

    std::vector<CControlUI*> items_;
    RECT inset_ = {0, 0, 0, 0};
    int childPadding_ = 0;
    CScrollBarUI* verticalScrollBar_ = nullptr;
    int scrollPos_ = 0;
    int scrollRange_ = 0;
};
