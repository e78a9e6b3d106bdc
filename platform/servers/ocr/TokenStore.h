#pragma once
// The access tokens this host has handed out, each with its expiry.
// Thread-safe: the token path and every recognition request use it at once.

#include <cstdint>
#include <deque>
#include <mutex>
#include <random>
#include <string>
#include <unordered_map>

#include "platform/servers/ocr/UnixClock.h"

namespace pimlo::servers {

enum class TokenState { Valid, Unknown, Expired };

struct IssuedToken {
    std::string accessToken;
    std::string refreshToken;
    std::string sessionKey;
    std::string sessionSecret;
    int64_t expiresIn = 0;  // seconds
};

class TokenStore {
public:
    explicit TokenStore(UnixClock clock = SystemUnixSeconds);

    IssuedToken Issue();
    TokenState Check(const std::string& accessToken) const;

    // The provider's tokens live for 30 days.
    static constexpr int64_t kLifetimeSeconds = 30 * 86400;
    // Every picture fetches its own token, so a long run hands out many; the
    // oldest are forgotten past this count (they then read as unknown).
    static constexpr size_t kMaxTokens = 100000;

private:
    std::string RandomHex(size_t digits);

    UnixClock clock_;
    mutable std::mutex mutex_;
    std::mt19937_64 random_;
    std::unordered_map<std::string, int64_t> expiries_;
    std::deque<std::string> issueOrder_;
};

}  // namespace pimlo::servers
