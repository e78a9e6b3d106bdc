#pragma once

#include <windows.h>

#include <vector>

class CControlUI;

// Timers of controls on one window. Each (control, timer id) pair gets its
// own Windows timer id, so controls can use small ids without clashing.
class TimerTable {
public:
    bool Set(HWND hwnd, CControlUI* control, UINT timerId, UINT elapse);
    bool Kill(HWND hwnd, CControlUI* control, UINT timerId);
    void KillAll(HWND hwnd, CControlUI* control);
    void KillEverything(HWND hwnd);
    // The control and its id for a WM_TIMER's id; false when it is none of ours.
    bool Find(UINT_PTR windowsId, CControlUI*& control, UINT& timerId) const;

private:
    struct Entry {
        CControlUI* control;
        UINT timerId;
        UINT_PTR windowsId;
    };
    // Windows timer ids from here on are the controls'; windows keep the low ones.
    static constexpr UINT_PTR kFirstId = 0x1000;

    std::vector<Entry> entries_;
    UINT_PTR nextId_ = kFirstId;
};
