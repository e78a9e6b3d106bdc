#include "platform/servers/ocr/TokenStore.h"

#include <utility>

namespace pimlo::servers {

TokenStore::TokenStore(UnixClock clock)
    : clock_(std::move(clock)), random_(std::random_device{}()) {}

std::string TokenStore::RandomHex(size_t digits) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    text.reserve(digits);
    for (size_t i = 0; i < digits; ++i) text += kHex[random_() & 15];
    return text;
}

IssuedToken TokenStore::Issue() {
    const int64_t now = clock_();
    const int64_t expiry = now + kLifetimeSeconds;
    std::lock_guard<std::mutex> lock(mutex_);
    // Shaped like the provider's tokens: kind, random part, lifetime, expiry.
    const std::string tail = "." + std::to_string(kLifetimeSeconds) + "." + std::to_string(expiry) +
                             ".282335-" + RandomHex(8);
    IssuedToken token;
    token.accessToken = "24." + RandomHex(32) + tail;
    token.refreshToken = "25." + RandomHex(32) + tail;
    token.sessionKey = RandomHex(64);
    token.sessionSecret = RandomHex(32);
    token.expiresIn = kLifetimeSeconds;

    expiries_[token.accessToken] = expiry;
    issueOrder_.push_back(token.accessToken);
    if (issueOrder_.size() > kMaxTokens) {
        expiries_.erase(issueOrder_.front());
        issueOrder_.pop_front();
    }
    return token;
}

TokenState TokenStore::Check(const std::string& accessToken) const {
    const int64_t now = clock_();
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = expiries_.find(accessToken);
    if (found == expiries_.end()) return TokenState::Unknown;
    return now < found->second ? TokenState::Valid : TokenState::Expired;
}

}  // namespace pimlo::servers
