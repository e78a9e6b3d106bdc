#pragma once

#include <windows.h>

#include "platform/uilib/UIExport.h"

// What a thread message hook tells about.
class IThreadMessageHandler {
public:
    // A message the thread has just taken from its queue, before it is
    // dispatched. It may be a thread message without a window.
    virtual void OnThreadMessage(const MSG& message) = 0;

protected:
    ~IThreadMessageHandler() = default;
};

// Shows the handler every message the creating thread takes from its queue:
// in the library's loops, in modal loops (dialogs, menus, the system's
// boxes), and thread messages without a window, which no window procedure
// or message filter sees (TWAIN sources deliver their events so). Lives on
// the thread that creates it; the handler must outlive it.
class UILIB_API CThreadMessageHook {
public:
    explicit CThreadMessageHook(IThreadMessageHandler* handler);
    ~CThreadMessageHook();
    CThreadMessageHook(const CThreadMessageHook&) = delete;
    CThreadMessageHook& operator=(const CThreadMessageHook&) = delete;

    // False when the system refused the thread's hook.
    bool Installed() const;

private:
    IThreadMessageHandler* handler_;
    CThreadMessageHook* next_ = nullptr;

    static LRESULT CALLBACK GetMessageProcedure(int code, WPARAM wParam, LPARAM lParam);
};
