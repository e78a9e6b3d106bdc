#include "platform/uilib/core/TimerTable.h"

#include <algorithm>

bool TimerTable::Set(HWND hwnd, CControlUI* control, UINT timerId, UINT elapse) {
    for (const Entry& entry : entries_) {
        if (entry.control == control && entry.timerId == timerId) {
            return ::SetTimer(hwnd, entry.windowsId, elapse, nullptr) != 0;
        }
    }
    UINT_PTR windowsId = nextId_++;
    if (!::SetTimer(hwnd, windowsId, elapse, nullptr)) {
        return false;
    }
    entries_.push_back(Entry{control, timerId, windowsId});
    return true;
}

bool TimerTable::Kill(HWND hwnd, CControlUI* control, UINT timerId) {
    auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
        return entry.control == control && entry.timerId == timerId;
    });
    if (found == entries_.end()) {
        return false;
    }
    ::KillTimer(hwnd, found->windowsId);
    entries_.erase(found);
    return true;
}

void TimerTable::KillAll(HWND hwnd, CControlUI* control) {
    for (const Entry& entry : entries_) {
        if (entry.control == control) {
            ::KillTimer(hwnd, entry.windowsId);
        }
    }
    entries_.erase(
        std::remove_if(entries_.begin(), entries_.end(),
                       [control](const Entry& entry) { return entry.control == control; }),
        entries_.end());
}

void TimerTable::KillEverything(HWND hwnd) {
    for (const Entry& entry : entries_) {
        ::KillTimer(hwnd, entry.windowsId);
    }
    entries_.clear();
}

bool TimerTable::Find(UINT_PTR windowsId, CControlUI*& control, UINT& timerId) const {
    for (const Entry& entry : entries_) {
        if (entry.windowsId == windowsId) {
            control = entry.control;
            timerId = entry.timerId;
            return true;
        }
    }
    return false;
}
