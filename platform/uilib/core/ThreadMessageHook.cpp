#include "platform/uilib/core/ThreadMessageHook.h"

namespace {

// One system hook per thread, shared by every CThreadMessageHook of the
// thread, so each message is told once to each handler.
struct ThreadHooks {
    HHOOK hook = nullptr;
    CThreadMessageHook* first = nullptr;
};
thread_local ThreadHooks g_hooks;

}  // namespace

CThreadMessageHook::CThreadMessageHook(IThreadMessageHandler* handler) : handler_(handler) {
    if (!g_hooks.hook) {
        g_hooks.hook =
            SetWindowsHookExW(WH_GETMESSAGE, GetMessageProcedure, nullptr, GetCurrentThreadId());
    }
    next_ = g_hooks.first;
    g_hooks.first = this;
}

CThreadMessageHook::~CThreadMessageHook() {
    for (CThreadMessageHook** link = &g_hooks.first; *link; link = &(*link)->next_) {
        if (*link == this) {
            *link = next_;
            break;
        }
    }
    if (!g_hooks.first && g_hooks.hook) {
        UnhookWindowsHookEx(g_hooks.hook);
        g_hooks.hook = nullptr;
    }
}

bool CThreadMessageHook::Installed() const { return g_hooks.hook != nullptr; }

LRESULT CALLBACK CThreadMessageHook::GetMessageProcedure(int code, WPARAM wParam, LPARAM lParam) {
    // A message only peeked at stays in the queue: it is told when taken.
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        const MSG& message = *reinterpret_cast<const MSG*>(lParam);
        for (CThreadMessageHook* hook = g_hooks.first; hook; hook = hook->next_) {
            if (hook->handler_) hook->handler_->OnThreadMessage(message);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
