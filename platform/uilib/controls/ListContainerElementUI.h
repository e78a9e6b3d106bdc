#pragma once

#include "platform/uilib/layout/HorizontalLayoutUI.h"

class CListUI;

// One row of a list: a horizontal layout whose click selects it in its list
// (its own buttons still get their clicks). Its background follows the
// list's item colours for normal, hot and selected rows.
class UILIB_API CListContainerElementUI : public CHorizontalLayoutUI {
public:
    std::wstring GetClass() const override;

    CListUI* GetOwner() const;
    int GetIndex() const;
    bool IsSelected() const override;
    bool Select(bool notify = true);

    void DoEvent(TEventUI& event) override;
    void PaintBkColor(HDC hDC) override;

private:
    bool hot_ = false;
};
