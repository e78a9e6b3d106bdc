#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/FileSystem.h"
#include "platform/uilib/UIlib.h"
#include "platform/uilib/render/ImageData.h"

// The fixture archive (tests/uilib/fixtures zipped by the build) handed to
// the library, with the skin path pointing at the fixtures on disk.
inline void UseFixtureResources() {
    static bool loaded = [] {
        std::string zip;
        ReadFileBytes(PIMLO_UILIB_FIXTURE_ZIP, zip);
        CPaintManagerUI::SetSkinPath(PIMLO_UILIB_FIXTURE_DIR L"\\skin\\");
        return CPaintManagerUI::SetResourceZip(zip.data(), static_cast<unsigned>(zip.size()));
    }();
    (void)loaded;
}

// Handles the messages waiting for this thread, for up to milliseconds.
inline void PumpMessages(DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!CPaintManagerUI::TranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

// A window built from a layout of the fixtures (skin/skin.xml unless told)
// that records every notification as "type:sender:selected" (selected state
// at that moment), the menu commands and tray callbacks it is sent and the
// calls of OnTimer.
class RecordingWindow : public WindowImplBase {
public:
    explicit RecordingWindow(std::wstring layout = L"skin.xml") : layout_(std::move(layout)) {}
    LPCTSTR GetWindowClassName() const override { return L"PimloUITestWindow"; }
    std::wstring GetSkinFolder() override { return L""; }
    std::wstring GetSkinFile() override { return layout_; }
    void Notify(TNotifyUI& msg) override {
        if (msg.sType == DUI_MSGTYPE_SETFOCUS || msg.sType == DUI_MSGTYPE_KILLFOCUS) {
            return;
        }
        notifications.push_back(msg.sType + L":" + (msg.pSender ? msg.pSender->GetName() : L"") +
                                L":" + (msg.pSender && msg.pSender->IsSelected() ? L"1" : L"0"));
    }
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override {
        if (uMsg == UIMSG_TRAYICON) {
            trayEvents.push_back(static_cast<UINT>(lParam));
            return 0;
        }
        if (uMsg != WM_MENUCLICK) {
            bHandled = FALSE;
            return 0;
        }
        HWND menu = FindWindowW(L"PimloUIMenu", nullptr);
        menuCommands.push_back(
            reinterpret_cast<const wchar_t*>(wParam) +
            std::wstring(menu && IsWindowVisible(menu) ? L":shown" : L":hidden"));
        return 0;
    }
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL& bHandled) override {
        ++timerCalls;
        bHandled = FALSE;
        return 0;
    }
    template <class Control = CControlUI>
    Control* Find(LPCTSTR name) {
        return dynamic_cast<Control*>(paintManager_.FindControl(name));
    }

    void OnFinalMessage(HWND hWnd) override {
        WindowImplBase::OnFinalMessage(hWnd);
        delete this;
    }

    std::vector<std::wstring> notifications;
    // "name:hidden" when the menu was no longer visible as the command arrived.
    std::vector<std::wstring> menuCommands;
    int timerCalls = 0;
    // The mouse messages of the tray icon's callbacks.
    std::vector<UINT> trayEvents;

private:
    std::wstring layout_;
};

// Opens a RecordingWindow (it deletes itself when destroyed).
inline RecordingWindow* OpenRecordingWindow(const std::wstring& layout = L"skin.xml") {
    UseFixtureResources();
    auto* window = new RecordingWindow(layout);
    window->Create(nullptr, L"uilib test", WS_POPUP | WS_VISIBLE, 0, 100, 100, 0, 0);
    PumpMessages(50);
    return window;
}

// The tests of a suite share one window of skin/controls.xml: under Wine
// without a window manager, hiding a shown window takes two seconds.
class ControlsWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { window_ = OpenRecordingWindow(L"controls.xml"); }
    static void TearDownTestSuite() {
        DestroyWindow(window_->GetHWND());
        window_ = nullptr;
    }
    void SetUp() override {
        SetForegroundWindow(window_->GetHWND());
        PumpMessages(20);
        window_->notifications.clear();
    }
    template <class Control>
    static Control* Find(LPCTSTR name) {
        return window_->Find<Control>(name);
    }

    static inline RecordingWindow* window_ = nullptr;
};
