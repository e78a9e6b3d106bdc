#include "ui/dialogs/AboutDlg.h"

#include "ui/WebAddress.h"

void CAboutDlg::OnWindowInit() {
    if (auto* version = Find(L"LabelVersion"))
        version->SetText(registry_.InstalledVersion().c_str());
    if (auto* uid = Find(L"LabelUID")) uid->SetText(registry_.MachineCode().c_str());
}

void CAboutDlg::OnClick(const std::wstring& name) {
    if (name == L"buttonSite") {
        if (auto* site = Find(L"buttonSite")) OpenWebAddress(site->GetText(), hwnd_);
    } else if (name == L"btnClose") {
        CloseDialog();
    }
}

void ShowAbout(HWND owner) { (new CAboutDlg())->OpenModal(owner); }
