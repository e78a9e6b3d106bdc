#pragma once
// Drives the program's dialogs as a user would: the dialog runs modally on
// the test's thread while a second thread finds its window, asks about its
// controls and clicks them through the UI library's test driver.

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

#include "platform/uilib/UIlib.h"
#include "platform/uilib/drive/DriveClient.h"

struct WindowSearch {
    DWORD processId;
    const wchar_t* windowClass;
    const wchar_t* title;  // any title when null
    HWND found;
};

inline BOOL CALLBACK FindVisibleWindow(HWND hwnd, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    wchar_t name[256] = {}, title[256] = {};
    GetClassNameW(hwnd, name, 256);
    GetWindowTextW(hwnd, title, 256);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != search->processId || lstrcmpW(name, search->windowClass) != 0 ||
        (search->title && lstrcmpW(title, search->title) != 0) || !IsWindowVisible(hwnd)) {
        return TRUE;
    }
    search->found = hwnd;
    return FALSE;
}

// The visible window of the class (and of that title, when given) that
// belongs to the process: other programs on the same desktop may show
// dialogs of the same class, and the program's dialogs share one class.
inline HWND FindVisibleWindowOf(DWORD processId, const wchar_t* windowClass,
                                const wchar_t* title = nullptr) {
    WindowSearch search{processId, windowClass, title, nullptr};
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class DialogDriver {
public:
    // A dialog of this process, or of the process given (the program under
    // test); of any title, or of the one given.
    explicit DialogDriver(const wchar_t* windowClass, DWORD processId = GetCurrentProcessId(),
                          const wchar_t* title = nullptr)
        : windowClass_(windowClass), processId_(processId), title_(title) {}

    // Waits up to 5 s for a visible window of the class; false when none came.
    bool WaitForWindow() {
        return WaitFor([this] {
            return (window_ = FindVisibleWindowOf(processId_, windowClass_, title_)) != nullptr;
        });
    }
    HWND Window() const { return window_; }

    std::wstring Value(const std::wstring& control, const std::wstring& key) const {
        return AnswerValue(AskDrivenWindow(window_, L"query", control), key);
    }
    bool Visible(const std::wstring& control) const { return Value(control, L"visible") == L"1"; }
    bool Selected(const std::wstring& control) const { return Value(control, L"selected") == L"1"; }
    std::wstring Text(const std::wstring& control) const { return Value(control, L"text"); }
    // The colour a button's or label's text is drawn in; only for a dialog
    // of this process, whose controls the test can reach.
    DWORD TextColour(const wchar_t* control) const {
        CPaintManagerUI* manager = CPaintManagerUI::FromWindow(window_);
        auto* label = manager ? dynamic_cast<CLabelUI*>(manager->FindControl(control)) : nullptr;
        return label ? label->GetTextColor() : 0;
    }
    bool Click(const std::wstring& control) const {
        return AnswerValue(AskDrivenWindow(window_, L"click", control), L"clicked") == L"1";
    }
    // The driver's commands that carry a value (settext, webtext, webloaded):
    // the answer's value of key.
    std::wstring Act(const wchar_t* command, const std::wstring& control, const std::wstring& value,
                     const wchar_t* key) const {
        return AnswerValue(AskDrivenWindow(window_, command, control + L"\n" + value), key);
    }
    // A click at a point of the window's client area, as the driver clicks a
    // control: for the title-bar cross, which shares its name with a button.
    void ClickAt(int x, int y) const {
        const LPARAM where = MAKELPARAM(x, y);
        PostMessageW(window_, WM_MOUSEMOVE, 0, where);
        PostMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, where);
        PostMessageW(window_, WM_LBUTTONUP, 0, where);
    }

    static bool WaitFor(const std::function<bool()>& condition) {
        for (int tries = 0; tries < 250; ++tries) {
            if (condition()) return true;
            Sleep(20);
        }
        return false;
    }

private:
    const wchar_t* windowClass_;
    DWORD processId_;
    const wchar_t* title_;
    HWND window_ = nullptr;
};

// Handles this thread's messages for a while.
inline void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

// Runs steps against the dialog of windowClass on a second thread while open()
// shows it modally on this one; open's value. The steps close the dialog; one
// they left open is closed for them, so a failing test does not hang. The
// steps record what they see and the test thread checks it afterwards.
template <typename Open>
auto DriveDialog(const wchar_t* windowClass, Open open, std::function<void(DialogDriver&)> steps) {
    std::thread driving([windowClass, &steps] {
        DialogDriver driver(windowClass);
        if (!driver.WaitForWindow()) return;
        steps(driver);
        const HWND window = driver.Window();
        if (!DialogDriver::WaitFor([window] { return !IsWindow(window); })) {
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
    });
    auto result = open();
    driving.join();
    return result;
}
