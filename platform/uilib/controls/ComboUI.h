#pragma once

#include <memory>

#include "platform/uilib/core/ContainerUI.h"

class ComboDropDown;

// A drop-down choice. Its items are ListLabelElement children (texts,
// markup allowed with "itemshowhtml"); the control shows the selected one
// and opens a list under itself when clicked. Choosing sends "itemselect"
// with wParam the new and lParam the old index.
class UILIB_API CComboUI : public CContainerUI {
public:
    CComboUI();
    ~CComboUI() override;

    std::wstring GetClass() const override;

    int GetCurSel() const { return selected_; }
    bool SelectItem(int index, bool notify = true);
    std::wstring GetText() const override;
    bool IsItemShowHtml() const { return itemShowHtml_; }
    int GetFont() const { return font_; }
    DWORD GetTextColor() const { return textColor_; }
    // Opens the list (the click does this).
    void DropDown();

    bool AddAt(CControlUI* control, int index) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;
    CControlUI* FindControlAt(POINT point) override;
    void SetPos(RECT rect, bool needInvalidate = true) override;
    void DoPaint(HDC hDC, const RECT& paint) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;

private:
    int selected_ = -1;
    bool itemShowHtml_ = false;
    int font_ = -1;
    DWORD textColor_ = 0xFF333333;
    RECT textPadding_ = {6, 0, 20, 0};
    std::wstring normalImage_;
    std::wstring hotImage_;
    bool hot_ = false;
    std::unique_ptr<ComboDropDown> dropDown_;
};
