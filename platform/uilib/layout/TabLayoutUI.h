#pragma once

#include "platform/uilib/core/ContainerUI.h"

// Shows one child at a time over its whole client area.
class UILIB_API CTabLayoutUI : public CContainerUI {
public:
    std::wstring GetClass() const override;

    int GetCurSel() const { return selected_; }
    // Shows the child at index; false when there is none.
    virtual bool SelectItem(int index);
    bool SelectItem(CControlUI* control);

    bool AddAt(CControlUI* control, int index) override;
    bool RemoveAt(int index, bool doNotDestroy = false) override;
    void RemoveAll() override;
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;

protected:
    int selected_ = -1;
};
