#pragma once

#include <string>

#include "platform/uilib/core/PaintManagerUI.h"
#include "platform/uilib/window/WindowWnd.h"

// A pop-up menu built from a layout file (a <Window> whose root is a
// <Menu> of <MenuElement name="..." text="..."/> items, read from the
// owner's layout folder). A click on an item hides the menu, sends
// WM_MENUCLICK with the item's name to the owner and then destroys the menu;
// losing the activation or Escape closes it without a command. The object
// deletes itself when its window is gone.
class UILIB_API CMenuWnd : public CWindowWnd, public INotifyUI {
public:
    // Opens the menu with its top-left corner at point (screen pixels),
    // moved so it stays on the monitor. Null when the layout can not be read.
    static CMenuWnd* CreateMenu(HWND owner, LPCTSTR layoutFile, POINT point);

    LPCTSTR GetWindowClassName() const override;
    UINT GetClassStyle() const override { return CS_DROPSHADOW; }
    void Notify(TNotifyUI& msg) override;
    CPaintManagerUI& GetPaintManager() { return paintManager_; }

protected:
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage(HWND hWnd) override;

private:
    CMenuWnd(HWND owner, std::wstring layoutFile);
    bool Build(POINT point);

    HWND owner_;
    std::wstring layoutFile_;
    std::wstring chosen_;
    CPaintManagerUI paintManager_;
};
