#pragma once

#include "platform/uilib/layout/VerticalLayoutUI.h"

// A scrolling list of rows (usually ListContainerElement subtrees built
// from a row layout). One row is selected at a time; selecting sends
// "itemselect" with wParam the new and lParam the old index.
class UILIB_API CListUI : public CVerticalLayoutUI {
public:
    CListUI();

    std::wstring GetClass() const override;

    int GetCurSel() const { return selected_; }
    // -1 clears the selection.
    bool SelectItem(int index, bool notify = true);
    bool AddAt(CControlUI* control, int index) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;

    DWORD GetItemBkColor() const { return itemBkColor_; }
    DWORD GetItemHotBkColor() const { return itemHotBkColor_; }
    DWORD GetItemSelectedBkColor() const { return itemSelectedBkColor_; }
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;

    // How a list's rows (ListContainerElement, ListLabelElement) behave: a
    // press or double click selects the row, the mouse over it makes it hot.
    // True when the event was the row's (never outside a list).
    static bool HandleRowEvent(CControlUI* row, bool& hot, TEventUI& event);
    // The row's background in its list: the selected, hot or normal item
    // colour; 0 outside a list.
    static DWORD RowColour(const CControlUI* row, bool hot);

private:
    int selected_ = -1;
    DWORD itemBkColor_ = 0;
    DWORD itemHotBkColor_ = 0xFFF2F6FC;
    DWORD itemSelectedBkColor_ = 0xFFE6EEFA;
};
