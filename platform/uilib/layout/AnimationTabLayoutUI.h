#pragma once

#include "platform/uilib/layout/TabLayoutUI.h"

// A tab layout whose newly selected page slides in a short way from the side
// of the page it replaces (from the right when moving to a later page).
class UILIB_API CAnimationTabLayoutUI : public CTabLayoutUI {
public:
    std::wstring GetClass() const override;

    bool SelectItem(int index) override;
    void SetPos(RECT rect, bool needInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR name, LPCTSTR value) override;

private:
    int CurrentOffset() const;

    bool animate_ = true;
    bool animating_ = false;
    int direction_ = 1;
    DWORD startTick_ = 0;
};
