#pragma once

#include <memory>
#include <string>

#include "platform/uilib/core/PaintManagerUI.h"
#include "platform/uilib/core/UIInterfaces.h"
#include "platform/uilib/window/WindowWnd.h"

class ShadowWnd;
class TrayIcon;

// The base of the program's windows: a borderless window whose client area
// is built from GetSkinFile() in GetSkinFolder(). The layout's <Window>
// attributes give its size, caption (drag) area, sizing border, drop shadow
// and tray icon. Override the On... handlers to act on messages; setting
// bHandled to FALSE lets the default handling go on.
class UILIB_API WindowImplBase : public CWindowWnd,
                                 public INotifyUI,
                                 public IMessageFilterUI,
                                 public IDialogBuilderCallback,
                                 public IReloadControlText {
public:
    WindowImplBase();
    ~WindowImplBase() override;

    LPCTSTR GetWindowClassName() const override = 0;
    void OnFinalMessage(HWND hWnd) override;
    // After the layout is built, before the window is shown.
    virtual void Init() {}
    virtual LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnTimer(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    void Notify(TNotifyUI& msg) override;
    // The layout folder, relative to the program's folder (or absolute).
    virtual std::wstring GetSkinFolder() = 0;
    virtual std::wstring GetSkinFile() = 0;
    // Return and Escape pressed in the window: non-zero when handled. The
    // default closes the window on Escape.
    virtual LRESULT ResponseDefaultKeyEvent(WPARAM wParam);
    // Extra controls of the program's own classes.
    CControlUI* CreateControl(LPCTSTR pstrClass) override;
    LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

    CPaintManagerUI& GetPaintManager() { return paintManager_; }
    // Shows (blending in) or hides (blending out) over the given time.
    void FadeIn(DWORD milliseconds);
    void FadeOut(DWORD milliseconds);
    // The layout's tray icon.
    void ShowTrayIcon(bool visible);
    void RemoveTrayIcon();

protected:
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnNcHitTest(LPARAM lParam);
    void OnGetMinMaxInfo(LPARAM lParam);
    void ApplyRoundCorner();

    CPaintManagerUI paintManager_;

private:
    std::unique_ptr<ShadowWnd> shadow_;
    std::unique_ptr<TrayIcon> trayIcon_;
};
