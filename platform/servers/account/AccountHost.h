#pragma once
// The account service. Every request is a GET with a signature "s" over its
// other parameters (see Signature.h); the answers are JSON objects with
// "result" 1 on success, or "result" 0 and an error key in "errInfo".
//   /sendverify.php       mobile, code: "texts" the code (writes it to the log)
//   /register.php         adid, reg_type, username, password (MD5), product_id,
//                         partner_id: creates the account
//   /getuserinfo_new.php  username, password, product_id, uid, partner_id,
//                         version: checks the account
//   /login_authorized/qq/login.php, /login_authorized/wx/login.php: the QQ and
//                         WeChat sign-in pages (SignInPages.h)

#include <httplib.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/servers/core/ControlBoard.h"

namespace pimlo::servers {

class AccountStore;
class SmsCodeLog;

struct AccountSettings {
    std::string databasePath;  // SQLite file, created when missing
    std::string signKey;       // the shared signing text ("SK" of the language files)
    std::string logPath;       // where the SMS codes that would be sent are written
};

// Seconds since the epoch; tests move it to cross the rate-limit windows.
using AccountClock = std::function<int64_t()>;

class AccountHost {
public:
    // Opens the database; throws SqliteError when it cannot. Without a clock
    // the system's is used.
    AccountHost(AccountSettings settings, ControlBoard& board, AccountClock clock = {});
    ~AccountHost();

    // Adds the host's routes to `server`, which serves this host alone.
    void Mount(httplib::Server& server);

private:
    std::string SendCode(const httplib::Params& params);
    std::string Register(const httplib::Params& params);
    std::string CheckAccount(const httplib::Params& params);

    AccountSettings settings_;
    ControlBoard& board_;
    AccountClock clock_;
    std::unique_ptr<AccountStore> store_;
    std::unique_ptr<SmsCodeLog> codeLog_;
    std::mutex sendMutex_;  // one rate-limit check and send at a time
};

}  // namespace pimlo::servers
