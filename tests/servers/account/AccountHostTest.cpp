#include <gtest/gtest.h>
#include <json/reader.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <memory>

#include "platform/servers/account/AccountHost.h"
#include "platform/servers/account/Md5Hex.h"
#include "platform/servers/core/Sqlite.h"
#include "tests/servers/support/ServerThread.h"
#include "tests/servers/support/TemporaryFolder.h"

namespace pimlo::servers {
namespace {

using testing::ServerThread;
using testing::TemporaryFolder;

constexpr char kSignKey[] = "test-sign-key";
constexpr char kMobile[] = "13800138000";
// The fixed password of QQ and WeChat accounts; '#' and '&' must be escaped
// in a URL.
constexpr char kSocialPassword[] = "KQR#VTM&*8130627";

std::string Sign(const std::string& text) { return Md5Hex(text + kSignKey); }

std::string Escape(const std::string& text) { return httplib::detail::encode_query_param(text); }

// The three requests exactly as the program formats them.
std::string SendCodeUrl(const std::string& mobile, const std::string& code) {
    return "/sendverify.php?mobile=" + mobile + "&code=" + code +
           "&s=" + Sign("code=" + code + "&mobile=" + mobile);
}

std::string RegisterUrl(const std::string& username, const std::string& password, int kind) {
    std::string digest = Md5Hex(password);
    std::string reg = std::to_string(kind);
    return "/register.php?adid=5021&reg_type=" + reg + "&username=" + Escape(username) +
           "&password=" + digest + "&product_id=11&partner_id=0&s=" +
           Sign("adid=5021&partner_id=0&password=" + digest + "&product_id=11&reg_type=" + reg +
                "&username=" + username);
}

std::string CheckUrl(const std::string& username, const std::string& password) {
    return "/getuserinfo_new.php?username=" + Escape(username) + "&password=" + Escape(password) +
           "&product_id=11&uid=0123456789ABCDEF&partner_id=0&version=2&s=" +
           Sign("partner_id=0&password=" + password + "&product_id=11&uid=0123456789ABCDEF" +
                "&username=" + username + "&version=2");
}

class AccountHostTest : public ::testing::Test {
protected:
    TemporaryFolder folder_;
    std::string databasePath_ = folder_.Path() + "/accounts.sqlite";
    std::string logPath_ = folder_.Path() + "/sms.log";
    std::atomic<int64_t> now_{1'700'000'000};
    ControlBoard board_;
    AccountHost host_{{databasePath_, kSignKey, logPath_}, board_, [this] { return now_.load(); }};
    httplib::Server server_;
    std::unique_ptr<ServerThread> served_;

    void SetUp() override {
        host_.Mount(server_);
        served_ = std::make_unique<ServerThread>(server_);
    }

    // "ok" when the answer's result is 1, otherwise its errInfo.
    std::string Outcome(const std::string& url) {
        auto result = served_->Client()->Get(url);
        if (!result) return "no answer";
        Json::Value answer;
        std::istringstream stream(result->body);
        if (!Json::parseFromStream(Json::CharReaderBuilder(), stream, &answer, nullptr))
            return "not JSON: " + result->body;
        if (answer["result"].asInt() == 1) return "ok";
        return answer["errInfo"].asString();
    }

    std::string Log() {
        std::ifstream log(logPath_);
        return std::string(std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>());
    }
};

TEST_F(AccountHostTest, SignedSendCodeIsLoggedWithItsMobileNumber) {
    EXPECT_EQ(Outcome(SendCodeUrl(kMobile, "123456")), "ok");
    EXPECT_EQ(Log(), "2023-11-14T22:13:20Z mobile=13800138000 code=123456\n");
}

TEST_F(AccountHostTest, WrongSignaturesAreRefusedAndNothingIsSent) {
    std::string code = "123456";
    std::string query = "/sendverify.php?mobile=" + std::string(kMobile) + "&code=" + code;
    const std::string wrong[] = {
        query,                                                              // none
        query + "&s=",                                                      // empty
        query + "&s=" + Md5Hex("code=123456&mobile=13800138000other-key"),  // other key
        query + "&s=" + Md5Hex("mobile=13800138000&code=123456" + std::string(kSignKey)),
        query + "&s=" + Md5Hex("code=123456&mobile=13800138000"),  // key left out
        "/sendverify.php?mobile=" + std::string(kMobile) + "&code=654321&s=" +
            Sign("code=123456&mobile=13800138000"),  // value changed after signing
    };
    for (const std::string& url : wrong) EXPECT_EQ(Outcome(url), "SignErr") << url;

    std::string upper = Sign("code=123456&mobile=13800138000");
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(Outcome(query + "&s=" + upper), "SignErr");
    EXPECT_EQ(Log(), "");
}

TEST_F(AccountHostTest, OrderOfParametersInTheUrlDoesNotMatter) {
    std::string signature = Sign("code=123456&mobile=13800138000");
    EXPECT_EQ(Outcome("/sendverify.php?s=" + signature + "&code=123456&mobile=13800138000"), "ok");
}

TEST_F(AccountHostTest, MalformedNumbersAndCodesAreRefused) {
    for (const char* mobile : {"1380013800", "138001380001", "23800138000", "1380013800a", ""})
        EXPECT_EQ(Outcome(SendCodeUrl(mobile, "123456")), "InvalidMobile") << mobile;
    for (const char* code : {"12345", "1234567", "12345a", ""})
        EXPECT_EQ(Outcome(SendCodeUrl(kMobile, code)), "InvalidCaptcha") << code;
    EXPECT_EQ(Log(), "");
}

// Sends at 0, 30 and 60 seconds fill the five-minute window until the first
// of them is five minutes old; the hour allows five sends. Refused sends do
// not count.
TEST_F(AccountHostTest, RateLimitsApplyPerMobileNumberAsTimeMoves) {
    const int64_t start = now_;
    struct Step {
        int64_t at;
        const char* mobile;
        const char* outcome;
    } steps[] = {
        {0, kMobile, "ok"},
        {10, kMobile, "SMSSendFrequent30s"},
        {10, "13900139000", "ok"},
        {29, kMobile, "SMSSendFrequent30s"},
        {30, kMobile, "ok"},
        {60, kMobile, "ok"},
        {90, kMobile, "SMSSendFrequent5m"},
        {299, kMobile, "SMSSendFrequent5m"},
        {300, kMobile, "ok"},
        {360, kMobile, "ok"},
        {700, kMobile, "SMSSendFrequent1h"},
        {3599, kMobile, "SMSSendFrequent1h"},
        {3600, kMobile, "ok"},
    };
    for (const Step& step : steps) {
        now_ = start + step.at;
        EXPECT_EQ(Outcome(SendCodeUrl(step.mobile, "111111")), step.outcome)
            << step.mobile << " at " << step.at;
    }
}

TEST_F(AccountHostTest, RegisterThenCheckTheAccount) {
    EXPECT_EQ(Outcome(RegisterUrl(kMobile, "", 1)), "ok");
    EXPECT_EQ(Outcome(RegisterUrl(kMobile, "", 1)), "MobileIsExist");
    EXPECT_EQ(Outcome(CheckUrl(kMobile, "")), "ok");
    EXPECT_EQ(Outcome(CheckUrl(kMobile, "guess")), "PasswordErr");
    EXPECT_EQ(Outcome(CheckUrl("13900139000", "")), "UserNotExist");

    SqliteDatabase database(databasePath_);
    auto row = database.Prepare(
        "SELECT kind, password_digest, adid, partner_id FROM accounts WHERE username = ?1");
    row.Bind(1, std::string(kMobile));
    ASSERT_TRUE(row.Step());
    EXPECT_EQ(row.Integer(0), 1);
    EXPECT_EQ(row.Text(1), "d41d8cd98f00b204e9800998ecf8427e");  // MD5 of the empty text
    EXPECT_EQ(row.Text(2), "5021");
    EXPECT_EQ(row.Text(3), "0");
}

// The fixed password holds '#' and '&': escaped in the URL it arrives whole
// and is signed as it is.
TEST_F(AccountHostTest, SocialAccountChecksWithItsFixedPassword) {
    std::string openid = "6D1C0C3B5E6A4F2F9E1B7A3C2D4E5F60";
    EXPECT_EQ(Outcome(RegisterUrl(openid, kSocialPassword, 2)), "ok");
    EXPECT_EQ(Outcome(CheckUrl(openid, kSocialPassword)), "ok");
}

TEST_F(AccountHostTest, RegisterRefusesMalformedParameters) {
    EXPECT_EQ(Outcome(RegisterUrl("1380013800", "", 1)), "InvalidMobile");
    EXPECT_EQ(Outcome(RegisterUrl("someone", "", 4)), "ParamError");
    EXPECT_EQ(Outcome(RegisterUrl("", "", 2)), "ParamError");

    std::string signedText = "adid=&partner_id=&password=XYZ&product_id=11&reg_type=2&username=u";
    EXPECT_EQ(Outcome("/register.php?adid=&reg_type=2&username=u&password=XYZ&product_id=11"
                      "&partner_id=&s=" +
                      Sign(signedText)),
              "ParamError");
    EXPECT_EQ(Outcome("/register.php"), "SignErr");
}

TEST_F(AccountHostTest, WrongMethodsPathsAndSizesGetTheServiceAnswerShape) {
    auto post = served_->Client()->Post(SendCodeUrl(kMobile, "123456"), "", "text/plain");
    ASSERT_TRUE(post);
    EXPECT_EQ(post->status, 405);
    EXPECT_EQ(post->body, R"({"errInfo":"MethodNotAllowed","result":0})");

    auto unknown = served_->Client()->Get("/sendverifyXphp");
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->status, 404);
    EXPECT_EQ(unknown->body, R"({"errInfo":"BadRequest","result":0})");

    auto huge = served_->Client()->Post("/register.php", std::string(100000, 'x'), "text/plain");
    ASSERT_TRUE(huge);
    EXPECT_EQ(huge->status, 413);
    EXPECT_EQ(Log(), "");
}

}  // namespace
}  // namespace pimlo::servers
