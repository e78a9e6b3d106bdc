#pragma once
// The real program started from this build's install folder, driven from
// outside through the UI library's test driver.

#include <windows.h>

#include <functional>
#include <string>

class ProgramSession {
public:
    static constexpr wchar_t kWindowClass[] = L"PimloOCRWindowClass";

    // Starts the program with arguments; waits up to 30 s for its main window.
    // The program is not started (no process, no window) unless the install
    // folder's four service hosts are all on this machine.
    explicit ProgramSession(const std::wstring& arguments = L"");
    // Ends the program if it still runs.
    ~ProgramSession();
    ProgramSession(const ProgramSession&) = delete;
    ProgramSession& operator=(const ProgramSession&) = delete;

    HWND Window() const { return window_; }
    HANDLE Process() const { return process_; }
    // Waits up to timeoutMs for the program to end; true when it did.
    bool WaitForExit(DWORD timeoutMs) const;

    // The driver's answer about the control (see the driver's protocol).
    std::wstring Query(const std::wstring& control) const;
    std::wstring Value(const std::wstring& control, const std::wstring& key) const;
    bool Visible(const std::wstring& control) const { return Value(control, L"visible") == L"1"; }
    std::wstring Text(const std::wstring& control) const { return Value(control, L"text"); }
    // Clicks the control as the mouse would, once it can be clicked (for up to
    // 5 s); false when it never could.
    bool Click(const std::wstring& control) const;
    // Drops files on the window as the shell would.
    void Drop(const std::wstring& pathsOneALine) const;
    // Holds a key down, or releases it, for the window's thread, as the user
    // would while clicking (GetKeyState sees it); false when refused.
    bool HoldKey(int virtualKey, bool down) const;
    // Waits for a recognition run to start (the recognise button disabled; a
    // very quick run may be missed) and then, for up to timeoutMs, to end (the
    // button usable again, the scan animation gone).
    bool WaitForRunEnd(DWORD timeoutMs) const;
    // Asks until condition holds, for up to timeoutMs: clicks and drops are
    // posted to the window and take effect a moment later. True when it held.
    static bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 5000,
                        DWORD pollMs = 50);

    // Starts a copy of the program and waits for it to end; its exit code,
    // or STILL_ACTIVE when it kept running for 30 s.
    static DWORD RunToEnd(const std::wstring& arguments);
    // How many top-level windows of the program's class exist.
    static int WindowCount();

private:
    HANDLE process_ = nullptr;
    HWND window_ = nullptr;

    // Lets the window handle what was posted to it.
    void Settle() const;
};
