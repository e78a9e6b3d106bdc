#pragma once

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>

#include "capture/ScreenCutting.h"
#include "net/TransportWarmUp.h"
#include "platform/uilib/UIlib.h"
#include "scan/MyTwain.h"
#include "ui/BatchWorker.h"
#include "ui/MainPage.h"
#include "ui/MainWindowMessages.h"
#include "ui/OcrMode.h"
#include "ui/PictureQueue.h"

// The application's only top-level window: the home page, the pages of the
// recognition modes and the result pages, the title bar with the account and
// the menus, and everything the user starts from there.
class CMainFrame : public WindowImplBase, public CMyTwain, private IThreadMessageHandler {
public:
    static constexpr const wchar_t* kWindowClass = L"PimloOCRWindowClass";

    CMainFrame();

    LPCTSTR GetWindowClassName() const override { return kWindowClass; }
    void OnFinalMessage(HWND hWnd) override;
    void Init() override;
    LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
    LRESULT OnTimer(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
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
    bool tableHintShown_ = false;
    BatchWorker worker_;
    CScreenCutting screenCutting_;
    // Shows the TWAIN source every message of the thread while one is
    // selected: sources post their events as thread messages too.
    std::optional<CThreadMessageHook> scanHook_;
    // Started when the user first leaves the home page, on the way to a
    // recognition; a window waiting in the tray does not pay for it.
    std::optional<TransportWarmUp> transportWarmUp_;
    // The batch run: merge choice and text, the folder files are written to,
    // the text the copy button copies, the scan animation's timer and frame.
    bool merge_ = false;
    std::wstring mergeText_;
    std::wstring outputFolder_;
    std::wstring currentText_;
    bool animating_ = false;
    int animationFrame_ = 0;

    template <typename Control>
    Control* Find(const wchar_t* name) {
        return dynamic_cast<Control*>(paintManager_.FindControl(name));
    }
    void SetVisible(const wchar_t* name, bool visible);
    void SetEnabled(const wchar_t* name, bool enabled);
    void SetText(const wchar_t* name, const std::wstring& text);

    void StyleResultScrollBar();
    // Starts the transport's one-time work, once, when a recognition comes near.
    void WarmUpTransport() {
        if (!transportWarmUp_) transportWarmUp_.emplace();
    }

    // Clicks and menus.
    void OnClick(const std::wstring& name, CControlUI* sender);
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
    // Beeps and returns true while a run goes on: its pictures stay as they
    // are until it ends.
    bool RefuseDuringRun();

    // Screen capture (MainFrameCapture.cpp).
    void StartScreenCapture();
    void OnCaptureHotKey();
    // A capture was saved: it becomes the queue and is recognised at once.
    void OnScreenCutDone();

    // Scanning (MainFrameScan.cpp).
    void StartScan();
    // The steps of every start once the window is made, and the update
    // check the user asks for (MainFrameStartUp.cpp).
    void RunStartUpSteps();
    void CheckForUpdateNow();
    void ScanningFinished() override;
    void OnThreadMessage(const MSG& message) override;

    // The batch run (MainFrameRun.cpp).
    bool RunGoing() const { return animating_; }
    void StartRun();
    bool QueueIdCardSides();
    // Makes the run's output folder when it needs one; false (and the user
    // told) when it can not be made, so the run does not start.
    bool PrepareOutputFolder();
    void ShowProgress(size_t next, size_t count, const std::wstring& fileName);
    void StartAnimation();
    void StopAnimation();
    void OnAnimationTick();
    void OnPictureDone(const RecognitionResult* result, const PictureDone& done);
    void OnRunEnded(const RecognitionResult& last, const std::string& path, size_t count);
    // The result list, under a note of what the run wrote.
    void ShowBatchResult();
    void KeepResult(const RecognitionResult& result, const std::string& path, size_t number);
    void OnRunFailed();
    void OnRunRefused();

    // Results (MainFrameResults.cpp).
    // The text a result shows, saves and merges ("OCRNone" when it holds
    // none); a real text becomes the current text.
    std::wstring TakeDisplayText(const RecognitionResult& result);
    void ShowResultText(const std::wstring& text);
    void FillResultList();
    void CopyCurrentText();
    void OpenOutputFolder();
    void CompareCurrentText();
    void CompareListRow(CControlUI* button);

    // Account display (MainFrameAccount.cpp).
    void ShowNickname();
    void ClearNickname();
    void SignOut();
};
