#pragma once
// Accounts and the verification codes sent, kept in an SQLite file. Safe to
// use from the server's worker threads.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/servers/core/Sqlite.h"

namespace pimlo::servers {

struct Account {
    std::string username;
    int64_t kind = 0;            // 1 mobile number, 2 QQ, 3 WeChat
    std::string passwordDigest;  // lower-case hexadecimal MD5 of the password
    std::string adid;
    std::string partnerId;
    int64_t createdAt = 0;  // seconds, from the host's clock
};

class AccountStore {
public:
    // Opens the file, creating it and its tables when missing; throws
    // SqliteError when it cannot.
    explicit AccountStore(const std::string& path);

    // False when an account of that name exists already; it is left as it was.
    bool Add(const Account& account);
    std::optional<Account> Find(const std::string& username);

    void AddSentCode(const std::string& mobile, const std::string& code, int64_t sentAt);
    // Times of the codes sent to `mobile` after `since`.
    std::vector<int64_t> SentCodeTimes(const std::string& mobile, int64_t since);

private:
    std::mutex mutex_;
    SqliteDatabase database_;
};

}  // namespace pimlo::servers
