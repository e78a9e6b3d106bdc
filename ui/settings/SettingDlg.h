#pragma once

#include <string>

#include "platform/uilib/UIlib.h"
#include "ui/settings/SettingsDialog.h"

// The settings dialog. Start with Windows, updates, cloud or local
// recognition, the close button's action and the picture size limit apply at
// once when changed; the save folder, the capture hot key and the shrinking of
// large pictures apply when the dialog is closed with its title-bar cross,
// and only once the save folder names an existing folder.
class CSettingDlg : public WindowImplBase {
public:
    static constexpr const wchar_t* kWindowClass = L"PimloOCRDialogClass";

    explicit CSettingDlg(const SettingsDialogContext& context) : context_(context) {}

    // Creates the dialog's window (not yet shown) over owner.
    HWND Create(HWND owner, const wchar_t* caption);

    LPCTSTR GetWindowClassName() const override { return kWindowClass; }
    UINT GetClassStyle() const override;
    void OnFinalMessage(HWND hWnd) override;
    LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
    void Notify(TNotifyUI& msg) override;
    std::wstring GetSkinFolder() override { return L"skin\\"; }
    std::wstring GetSkinFile() override { return L"dlg_setting.xml"; }

private:
    SettingsDialogContext context_;

    template <typename Control>
    Control* Find(const wchar_t* name) {
        return dynamic_cast<Control*>(paintManager_.FindControl(name));
    }
    void FillControls();
    void SetSelected(const wchar_t* name, bool selected);
    void OnClick(CControlUI* sender);
    void OnImageSizeChosen(int item);
    void ChooseSaveFolder();
    void ApplyAndClose();
    void ApplyHotKey();
    void ApplyCompression();
};
