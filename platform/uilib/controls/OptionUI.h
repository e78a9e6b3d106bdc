#pragma once

#include "platform/uilib/controls/ButtonUI.h"

// A button with a selected state. Options of one group (same "group" name in
// the window) exclude each other; a click on a selected grouped option keeps
// it selected, one on an ungrouped option flips it. On a click the "click"
// notification is sent before the state changes, then "selectchanged".
class UILIB_API COptionUI : public CButtonUI {
public:
    std::wstring GetClass() const override;

    bool Activate() override;
    bool IsSelected() const override { return selected_; }
    // Changes the state; sends "selectchanged" when it changed and notify.
    virtual void Selected(bool selected, bool notify = true);
    const std::wstring& GetGroup() const { return group_; }
    void SetGroup(LPCTSTR group);

    void SetSelectedImage(LPCTSTR image);
    void SetSelectedHotImage(LPCTSTR image);
    void SetSelectedTextColor(DWORD color);
    void SetSelectedBkColor(DWORD color);

    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    void PaintBkColor(HDC hDC) override;
    void PaintStatusImage(HDC hDC) override;
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;

protected:
    DWORD CurrentTextColor() const override;

    bool selected_ = false;
    std::wstring group_;
    std::wstring selectedImage_;
    std::wstring selectedHotImage_;
    DWORD selectedTextColor_ = 0;
    DWORD selectedBkColor_ = 0;
};
