#pragma once

#include <windows.h>

#include "ui/dialogs/DialogWindow.h"

// "正在从设备复制图片" ("dlg_copyingimage.xml"): shown without waiting while
// a scanner delivers its pages. It has a window class of its own, so the
// scanning code finds it to close it.
class CCopyingHintDlg : public CDialogWindow {
public:
    static constexpr const wchar_t* kWindowClass = L"PimloOCRCopyDialogClass";

    CCopyingHintDlg() : CDialogWindow(L"dlg_copyingimage.xml") {}

    LPCTSTR GetWindowClassName() const override { return kWindowClass; }

private:
    void OnClick(const std::wstring& name) override;
};

// Shows the hint over owner and returns at once; nothing when it is already shown.
void ShowCopyingHint(HWND owner);
// Closes the hint, when there is one, by posting it WM_CLOSE.
void CloseCopyingHint();
