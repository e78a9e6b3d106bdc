#include "platform/servers/account/AccountStore.h"

namespace pimlo::servers {

namespace {

constexpr char kSchema[] = R"sql(
CREATE TABLE IF NOT EXISTS accounts (
    username TEXT PRIMARY KEY,
    kind INTEGER NOT NULL,
    password_digest TEXT NOT NULL,
    adid TEXT NOT NULL,
    partner_id TEXT NOT NULL,
    created_at INTEGER NOT NULL
);
CREATE TABLE IF NOT EXISTS sent_codes (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    mobile TEXT NOT NULL,
    code TEXT NOT NULL,
    sent_at INTEGER NOT NULL
);
CREATE INDEX IF NOT EXISTS sent_codes_by_mobile ON sent_codes (mobile, sent_at);
)sql";

}  // namespace

AccountStore::AccountStore(const std::string& path) : database_(path) {
    database_.Execute(kSchema);
}

bool AccountStore::Add(const Account& account) {
    std::lock_guard<std::mutex> lock(mutex_);
    database_
        .Prepare(
            "INSERT INTO accounts (username, kind, password_digest, adid, partner_id, created_at) "
            "VALUES (?1, ?2, ?3, ?4, ?5, ?6) ON CONFLICT (username) DO NOTHING")
        .Bind(1, account.username)
        .Bind(2, account.kind)
        .Bind(3, account.passwordDigest)
        .Bind(4, account.adid)
        .Bind(5, account.partnerId)
        .Bind(6, account.createdAt)
        .Step();
    return database_.Changes() == 1;
}

std::optional<Account> AccountStore::Find(const std::string& username) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto row = database_.Prepare(
        "SELECT username, kind, password_digest, adid, partner_id, created_at FROM accounts "
        "WHERE username = ?1");
    row.Bind(1, username);
    if (!row.Step()) return std::nullopt;
    return Account{row.Text(0), row.Integer(1), row.Text(2),
                   row.Text(3), row.Text(4),    row.Integer(5)};
}

void AccountStore::AddSentCode(const std::string& mobile, const std::string& code, int64_t sentAt) {
    std::lock_guard<std::mutex> lock(mutex_);
    database_.Prepare("INSERT INTO sent_codes (mobile, code, sent_at) VALUES (?1, ?2, ?3)")
        .Bind(1, mobile)
        .Bind(2, code)
        .Bind(3, sentAt)
        .Step();
}

std::vector<int64_t> AccountStore::SentCodeTimes(const std::string& mobile, int64_t since) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto rows = database_.Prepare(
        "SELECT sent_at FROM sent_codes WHERE mobile = ?1 AND sent_at > ?2 ORDER BY sent_at");
    rows.Bind(1, mobile).Bind(2, since);
    std::vector<int64_t> times;
    while (rows.Step()) times.push_back(rows.Integer(0));
    return times;
}

}  // namespace pimlo::servers
