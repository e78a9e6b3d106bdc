#include <gtest/gtest.h>

#include <vector>

#include "platform/uilib/core/ThreadMessageHook.h"

namespace {

constexpr UINT kThreadEvent = WM_APP + 11;
constexpr UINT kWindowEvent = WM_APP + 12;

struct Recorder : IThreadMessageHandler {
    std::vector<UINT> seen;
    void OnThreadMessage(const MSG& message) override {
        if (message.message == kThreadEvent || message.message == kWindowEvent)
            seen.push_back(message.message);
    }
};

// Takes what is queued for the thread, as a modal loop would.
void Drain() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

TEST(ThreadMessageHook, EveryTakenMessageIsToldOnceToEachHandlerWhileItLives) {
    HWND window = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    Recorder first;
    Recorder second;
    {
        CThreadMessageHook hook(&first);
        ASSERT_TRUE(hook.Installed());
        {
            CThreadMessageHook another(&second);
            PostThreadMessageW(GetCurrentThreadId(), kThreadEvent, 0, 0);
            PostMessageW(window, kWindowEvent, 0, 0);
            // Peeking leaves them queued: nothing is told yet.
            MSG peeked;
            PeekMessageW(&peeked, nullptr, 0, 0, PM_NOREMOVE);
            EXPECT_TRUE(first.seen.empty());
            Drain();
        }
        PostThreadMessageW(GetCurrentThreadId(), kThreadEvent, 0, 0);
        Drain();
    }
    PostThreadMessageW(GetCurrentThreadId(), kThreadEvent, 0, 0);
    Drain();
    DestroyWindow(window);

    EXPECT_EQ(first.seen, (std::vector<UINT>{kThreadEvent, kWindowEvent, kThreadEvent}));
    EXPECT_EQ(second.seen, (std::vector<UINT>{kThreadEvent, kWindowEvent}));
}

}  // namespace
