#include "app/MessagePresenter.h"

#include <mutex>

namespace {

int ShowSystemMessageBox(const MessageRequest& request) {
    return MessageBoxW(request.owner, request.body.c_str(), request.caption.c_str(), request.flags);
}

std::mutex& PresenterMutex() {
    static std::mutex mutex;
    return mutex;
}

MessagePresenter& Presenter() {
    static MessagePresenter presenter;
    return presenter;
}

}  // namespace

void SetMessagePresenter(MessagePresenter presenter) {
    std::lock_guard<std::mutex> lock(PresenterMutex());
    Presenter() = std::move(presenter);
}

int PresentMessage(const MessageRequest& request) {
    MessagePresenter presenter;
    {
        // Copied out so that a message that stays open for minutes does not
        // hold up messages of other threads.
        std::lock_guard<std::mutex> lock(PresenterMutex());
        presenter = Presenter();
    }
    return presenter ? presenter(request) : ShowSystemMessageBox(request);
}
