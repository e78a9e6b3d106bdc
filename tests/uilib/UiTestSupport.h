#pragma once

#include <windows.h>

#include <string>
#include <vector>

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

// A window built from skin/skin.xml of the fixtures that records every
// notification as "type:sender:selected" (selected state at that moment).
class RecordingWindow : public WindowImplBase {
public:
    LPCTSTR GetWindowClassName() const override { return L"PimloUITestWindow"; }
    std::wstring GetSkinFolder() override { return L""; }
    std::wstring GetSkinFile() override { return L"skin.xml"; }
    void Notify(TNotifyUI& msg) override {
        if (msg.sType == DUI_MSGTYPE_SETFOCUS || msg.sType == DUI_MSGTYPE_KILLFOCUS) {
            return;
        }
        notifications.push_back(msg.sType + L":" + (msg.pSender ? msg.pSender->GetName() : L"") +
                                L":" + (msg.pSender && msg.pSender->IsSelected() ? L"1" : L"0"));
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
};

// Opens a RecordingWindow (it deletes itself when destroyed).
inline RecordingWindow* OpenRecordingWindow() {
    UseFixtureResources();
    auto* window = new RecordingWindow;
    window->Create(nullptr, L"uilib test", WS_POPUP | WS_VISIBLE, 0, 100, 100, 0, 0);
    PumpMessages(50);
    return window;
}
