#pragma once

#include "app/MessageKey.h"

// Thrown while an answer is read when the service refuses the picture itself
// (an identity card that is blurred, reversed or not a card at all); carries
// the message that tells the user why.
class CStautsException {
public:
    explicit CStautsException(MessageKey key) : key_(std::move(key)) {}

    const MessageKey& Key() const { return key_; }

private:
    MessageKey key_;
};
