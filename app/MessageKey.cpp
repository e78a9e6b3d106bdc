#include "app/MessageKey.h"

MessageKey MessageKey::FromName(std::wstring name) {
    MessageKey key;
    key.name_ = std::move(name);
    return key;
}

MessageKey ServiceErrorKey(int code) {
    return MessageKey::FromName(L"AIPError" + std::to_wstring(code));
}
