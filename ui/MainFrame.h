#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/uilib/UIlib.h"
#include "ui/MainPage.h"
#include "ui/MainWindowMessages.h"
#include "ui/OcrMode.h"
#include "ui/PictureQueue.h"

// The application's only top-level window: the home page, the pages of the
// recognition modes and the result pages, the title bar with the account and
// the menus, and everything the user starts from there.
class CMainFrame : public WindowImplBase {
public:
    static constexpr const wchar_t* kWindowClass = L"PimloOCRWindowClass";

    LPCTSTR GetWindowClassName() const override { return kWindowClass; }
    void OnFinalMessage(HWND hWnd) override;
    void Init() override;
    LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
    LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
    LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
    void Notify(TNotifyUI& msg) override;
    std::wstring GetSkinFolder() override { return L"skin\\"; }
    std::wstring GetSkinFile() override { return L"skin.xml"; }
    LRESULT ResponseDefaultKeyEvent(WPARAM) override { return 0; }
    LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

private:
    OcrMode mode_ = OcrMode::None;
    PictureQueue queue_;
    // The two sides of an identity card, UTF-8 paths, empty until chosen.
    std::string idCardFront_;
    std::string idCardBack_;
    bool runGoing_ = false;
    bool tableHintShown_ = false;

    template <typename Control>
    Control* Find(const wchar_t* name) {
        return dynamic_cast<Control*>(paintManager_.FindControl(name));
    }
    void SetVisible(const wchar_t* name, bool visible);
    void SetEnabled(const wchar_t* name, bool enabled);
    void SetText(const wchar_t* name, const std::wstring& text);

    void StyleResultScrollBar();

    // Clicks and menus.
    void OnClick(const std::wstring& name);
    void OnMenuCommand(const std::wstring& item);
    void CloseRequest();
    void OpenServicePage();
    void PopupMenu(const wchar_t* layout, POINT screenPoint);
    POINT LeftBottomOf(const wchar_t* name);

    // Pages (MainFrameNavigation.cpp).
    MainPage CurrentPage();
    void SelectPage(MainPage page);
    void EnterModePage(OcrMode mode);
    void ShowPageTitles();
    void RefreshAddPicturePanel();
    void RefreshIdCardSlot(bool front);
    void ResetIdCards();
    void ClearQueue();
    void OnBack();
    void OnLeaveResults();
    void SetTableHint(bool shown);

    // Pictures (MainFramePictures.cpp).
    void ChoosePictures();
    void ChooseIdCardSide(bool front);
    void OnDropFiles(HDROP drop);
    void OnCaptureHotKey();

    // Account display (MainFrameAccount.cpp).
    void ShowNickname();
    void ClearNickname();
    void SignOut();
};
