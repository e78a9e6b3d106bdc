#pragma once

#include <windows.h>

#include "app/ProductRegistry.h"
#include "ui/dialogs/DialogWindow.h"

// The about box ("dlg_about.xml"): the installed version, the machine code
// and the maker's web site, which buttonSite opens.
class CAboutDlg : public CDialogWindow {
public:
    explicit CAboutDlg(ProductRegistry registry = ProductRegistry())
        : CDialogWindow(L"dlg_about.xml"), registry_(std::move(registry)) {}

private:
    ProductRegistry registry_;

    void OnWindowInit() override;
    void OnClick(const std::wstring& name) override;
};

// Shows the about box modally over owner.
void ShowAbout(HWND owner);
