#include "app/ShowMessage.h"

#include "app/LanguageFile.h"
#include "app/MessagePresenter.h"

namespace {

// Room of a caption and of a message body, terminating zero included.
constexpr size_t kCaptionCapacity = 260;
constexpr size_t kBodyCapacity = 2048;

std::wstring MessageText(std::wstring_view key, size_t capacity) {
    return ReadLanguageValue(LanguageSection::Message, key, L"", capacity);
}

int Present(HWND owner, std::wstring body, UINT flags) {
    MessageRequest request;
    request.owner = owner;
    request.caption = MessageText(MessageKeys::Title.name, kCaptionCapacity);
    request.body = std::move(body);
    request.flags = flags;
    return PresentMessage(request);
}

}  // namespace

int ShowMessage(const MessageKey& key, HWND owner, UINT flags, std::wstring_view fallback) {
    std::wstring body = MessageText(key.Name(), kBodyCapacity);
    if (body.empty()) {
        body = fallback;
    }
    return Present(owner, std::move(body), flags);
}

int ShowFormattedMessage(const MessageKey& key, const FormatArgument& argument, HWND owner,
                         UINT flags) {
    return Present(owner, FormatText(MessageText(key.Name(), kBodyCapacity), {argument}), flags);
}
