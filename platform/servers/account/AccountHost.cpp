#include "platform/servers/account/AccountHost.h"

#include <json/value.h>
#include <json/writer.h>

#include <chrono>
#include <regex>
#include <vector>

#include "platform/servers/account/AccountStore.h"
#include "platform/servers/account/Md5Hex.h"
#include "platform/servers/account/QueryParam.h"
#include "platform/servers/account/SignInPages.h"
#include "platform/servers/account/Signature.h"
#include "platform/servers/account/SmsCodeLog.h"
#include "platform/servers/account/SmsRateLimit.h"
#include "platform/servers/core/HostRouter.h"

namespace pimlo::servers {

namespace {

// Route patterns are regular expressions, hence the escaped dots.
constexpr char kSendCodePath[] = "/sendverify\\.php";
constexpr char kRegisterPath[] = "/register\\.php";
constexpr char kCheckAccountPath[] = "/getuserinfo_new\\.php";
constexpr char kQqPagePath[] = "/login_authorized/qq/login\\.php";
constexpr char kWeChatPagePath[] = "/login_authorized/wx/login\\.php";

// Every request is a GET whose parameters fit in the URL; bodies are refused
// before they are read.
constexpr size_t kMaxBodyBytes = 4096;

// The product id and the check request's version the program sends.
constexpr char kProductId[] = "11";
constexpr char kCheckVersion[] = "2";

const std::vector<std::string> kSendCodeSigned = {"code", "mobile"};
const std::vector<std::string> kRegisterSigned = {"adid",       "partner_id", "password",
                                                  "product_id", "reg_type",   "username"};
const std::vector<std::string> kCheckAccountSigned = {"partner_id", "password", "product_id",
                                                      "uid",        "username", "version"};

std::string JsonText(const Json::Value& value) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    return Json::writeString(builder, value);
}

std::string Success() {
    Json::Value answer(Json::objectValue);
    answer["result"] = 1;
    return JsonText(answer);
}

std::string Failure(const std::string& key) {
    Json::Value answer(Json::objectValue);
    answer["result"] = 0;
    answer["errInfo"] = key;
    return JsonText(answer);
}

// A mainland mobile number: 11 digits starting with 1.
bool IsMobileNumber(const std::string& text) {
    static const std::regex kPattern("1[0-9]{10}");
    return std::regex_match(text, kPattern);
}

bool IsVerificationCode(const std::string& text) {
    static const std::regex kPattern("[0-9]{6}");
    return std::regex_match(text, kPattern);
}

bool IsMd5Hex(const std::string& text) {
    static const std::regex kPattern("[0-9a-f]{32}");
    return std::regex_match(text, kPattern);
}

int64_t SystemSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

void AnswerJson(httplib::Response& response, int status, const std::string& text) {
    response.status = status;
    response.set_content(text, "application/json; charset=utf-8");
}

}  // namespace

AccountHost::AccountHost(AccountSettings settings, ControlBoard& board, AccountClock clock)
    : settings_(std::move(settings)),
      board_(board),
      clock_(clock ? std::move(clock) : SystemSeconds),
      store_(std::make_unique<AccountStore>(settings_.databasePath)),
      codeLog_(std::make_unique<SmsCodeLog>(settings_.logPath)) {}

AccountHost::~AccountHost() = default;

std::string AccountHost::SendCode(const httplib::Params& params) {
    if (!IsSigned(params, kSendCodeSigned, settings_.signKey)) return Failure("SignErr");
    std::string mobile = QueryParam(params, "mobile");
    std::string code = QueryParam(params, "code");
    if (!IsMobileNumber(mobile)) return Failure("InvalidMobile");
    if (!IsVerificationCode(code)) return Failure("InvalidCaptcha");

    std::lock_guard<std::mutex> lock(sendMutex_);
    int64_t now = clock_();
    auto refusal = SmsRateRefusal(store_->SentCodeTimes(mobile, now - LongestSmsRateWindow()), now);
    if (refusal) return Failure(*refusal);
    // A code that could not be "sent" does not count against the number.
    if (!codeLog_->Write(now, mobile, code)) return Failure("SMSSendBusy");
    store_->AddSentCode(mobile, code, now);
    return Success();
}

std::string AccountHost::Register(const httplib::Params& params) {
    if (!IsSigned(params, kRegisterSigned, settings_.signKey)) return Failure("SignErr");
    Account account;
    account.username = QueryParam(params, "username");
    account.passwordDigest = QueryParam(params, "password");
    account.adid = QueryParam(params, "adid");
    account.partnerId = QueryParam(params, "partner_id");
    account.createdAt = clock_();
    std::string kind = QueryParam(params, "reg_type");
    if (kind != "1" && kind != "2" && kind != "3") return Failure("ParamError");
    account.kind = std::stoi(kind);
    if (account.kind == 1 && !IsMobileNumber(account.username)) return Failure("InvalidMobile");
    if (account.username.empty() || !IsMd5Hex(account.passwordDigest) ||
        QueryParam(params, "product_id") != kProductId)
        return Failure("ParamError");
    // The program counts an existing account as signed in.
    if (!store_->Add(account)) return Failure("MobileIsExist");
    return Success();
}

std::string AccountHost::CheckAccount(const httplib::Params& params) {
    if (!IsSigned(params, kCheckAccountSigned, settings_.signKey)) return Failure("SignErr");
    if (QueryParam(params, "product_id") != kProductId ||
        QueryParam(params, "version") != kCheckVersion)
        return Failure("ParamError");
    std::optional<Account> account = store_->Find(QueryParam(params, "username"));
    if (!account) return Failure("UserNotExist");
    // The check sends the password itself; the account keeps its digest.
    if (Md5Hex(QueryParam(params, "password")) != account->passwordDigest)
        return Failure("PasswordErr");
    return Success();
}

void AccountHost::Mount(httplib::Server& server) {
    server.set_payload_max_length(kMaxBodyBytes);
    // Errors that httplib answers itself (a body over the limit, a request it
    // cannot read, an unknown path) still carry the service's answer shape.
    server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.body.empty()) AnswerJson(response, response.status, Failure("BadRequest"));
    });

    HostRouter router(server, board_, "account");
    using Operation = std::string (AccountHost::*)(const httplib::Params&);
    const std::pair<const char*, Operation> operations[] = {
        {kSendCodePath, &AccountHost::SendCode},
        {kRegisterPath, &AccountHost::Register},
        {kCheckAccountPath, &AccountHost::CheckAccount},
    };
    for (const auto& [path, operation] : operations) {
        router.Get(path, [this, operation = operation](const httplib::Request& request,
                                                       httplib::Response& response,
                                                       const ScriptedAnswer*) {
            AnswerJson(response, 200, (this->*operation)(request.params));
        });
        router.Post(
            path, [](const httplib::Request&, httplib::Response& response, const ScriptedAnswer*) {
                AnswerJson(response, 405, Failure("MethodNotAllowed"));
            });
    }

    for (const auto& [path, provider] : {std::pair{kQqPagePath, SignInProvider::QQ},
                                         std::pair{kWeChatPagePath, SignInProvider::WeChat}}) {
        router.Get(path, [provider = provider](const httplib::Request& request,
                                               httplib::Response& response, const ScriptedAnswer*) {
            response.set_content(SignInPage(provider, request.params), "text/html; charset=utf-8");
        });
    }
}

}  // namespace pimlo::servers
