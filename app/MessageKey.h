#pragma once

#include <string>

#include "app/LanguageKeys.h"

// A key of the "Message" section, held by value so that it can be kept (the
// error key of a failed picture) and thrown (the refused identity card).
class MessageKey {
public:
    MessageKey() = default;
    MessageKey(const MessageKeyConstant& key) : name_(key.name) {}

    // A key chosen at run time: an error key sent by the account service.
    static MessageKey FromName(std::wstring name);

    const std::wstring& Name() const { return name_; }
    bool Empty() const { return name_.empty(); }

    friend bool operator==(const MessageKey& a, const MessageKey& b) { return a.name_ == b.name_; }
    friend bool operator!=(const MessageKey& a, const MessageKey& b) { return !(a == b); }

private:
    std::wstring name_;
};

// The key that explains an error code of the cloud service: "AIPError" + code.
MessageKey ServiceErrorKey(int code);
