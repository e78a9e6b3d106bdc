#pragma once

#include <windows.h>

#include <string>

#include "platform/uilib/UIlib.h"

// The base of the program's small dialogs: a captioned pop-up over its owner,
// centred on it, built from one layout of the skin folder. The object owns
// itself: it is freed when its window is destroyed, so callers keep what they
// need to know outside it (the dialogs write their answers to the caller's
// variables).
class CDialogWindow : public WindowImplBase {
public:
    static constexpr const wchar_t* kWindowClass = L"PimloOCRDialogClass";
    // The class style every dialog of the program shares: vertical and
    // horizontal redraw, double clicks, and a saved screen behind the small
    // window (CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS).
    static constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS;

    explicit CDialogWindow(std::wstring layout) : layout_(std::move(layout)) {}

    // Creates the window, visible and centred on owner. False when it could
    // not be created; the object is freed then as well.
    bool Open(HWND owner);
    // Opens the dialog and runs it until it is closed. False when it could not
    // be created. The object is gone when this returns.
    bool OpenModal(HWND owner);

    LPCTSTR GetWindowClassName() const override { return kWindowClass; }
    // The window's style: a captioned pop-up with a system menu.
    virtual DWORD WindowStyle() const;
    // The window's title, which the task bar shows; none by default.
    virtual std::wstring WindowTitle() const { return {}; }
    UINT GetClassStyle() const override;
    void OnFinalMessage(HWND hWnd) override;
    void Init() override;
    LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
    void Notify(TNotifyUI& msg) override;
    std::wstring GetSkinFolder() override { return L"skin\\"; }
    std::wstring GetSkinFile() override { return layout_; }

protected:
    ~CDialogWindow() override;

    // "windowinit": the layout is built and laid out.
    virtual void OnWindowInit() {}
    // A click on the control of that name.
    virtual void OnClick(const std::wstring& name) = 0;

    template <typename Control = CControlUI>
    Control* Find(const wchar_t* name) {
        return dynamic_cast<Control*>(paintManager_.FindControl(name));
    }
    bool IsSelected(const wchar_t* name);
    void SetSelected(const wchar_t* name, bool selected);
    // Asks the window to close; the answer is already with the caller.
    void CloseDialog() { Close(IDCANCEL); }

private:
    std::wstring layout_;
    // Set by Open while the window is being created: the destructor marks it,
    // so that Open knows a failed creation has already freed the object.
    bool* freedDuringOpen_ = nullptr;
};
