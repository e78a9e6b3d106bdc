#include <gtest/gtest.h>
#include <json/reader.h>

#include <memory>
#include <regex>

#include "platform/servers/account/AccountHost.h"
#include "platform/servers/account/SignInPages.h"
#include "tests/servers/support/ServerThread.h"
#include "tests/servers/support/TemporaryFolder.h"

namespace pimlo::servers {
namespace {

using testing::ServerThread;
using testing::TemporaryFolder;

constexpr char kQqPage[] = "/login_authorized/qq/login.php";
constexpr char kWeChatPage[] = "/login_authorized/wx/login.php";
const std::string kZhangSan = "\xe5\xbc\xa0\xe4\xb8\x89";  // 张三 in UTF-8

// Undoes the page's script literal, which writes only \uXXXX escapes.
std::string ScriptLiteralValue(const std::string& literal) {
    std::string value;
    for (size_t i = 0; i < literal.size(); ++i) {
        if (literal[i] != '\\') {
            value += literal[i];
            continue;
        }
        unsigned code = std::stoul(literal.substr(i + 2, 4), nullptr, 16);
        if (code < 0x80)
            value += static_cast<char>(code);
        else  // U+2028 and U+2029, three bytes in UTF-8
            value += {'\xe2', '\x80', static_cast<char>(0x80 | (code & 0x3F))};
        i += 5;
    }
    return value;
}

class SignInPagesTest : public ::testing::Test {
protected:
    TemporaryFolder folder_;
    ControlBoard board_;
    AccountHost host_{{folder_.Path() + "/accounts.sqlite", "key", folder_.Path() + "/sms.log"},
                      board_};
    httplib::Server server_;
    std::unique_ptr<ServerThread> served_;

    void SetUp() override {
        host_.Mount(server_);
        served_ = std::make_unique<ServerThread>(server_);
    }

    std::string Page(const std::string& url) {
        auto result = served_->Client()->Get(url);
        if (!result || result->status != 200) return "";
        EXPECT_EQ(result->get_header_value("Content-Type"), "text/html; charset=utf-8");
        return result->body;
    }

    // The text the page hands to its window, read back from its script.
    Json::Value Message(const std::string& url) {
        std::string page = Page(url);
        std::smatch literal;
        static const std::regex kMessage("var message = \"([^\"]*)\";");
        if (!std::regex_search(page, literal, kMessage)) return Json::Value();
        EXPECT_NE(page.find("window.external.notify(message)"), std::string::npos);
        Json::Value message;
        std::istringstream stream(ScriptLiteralValue(literal[1]));
        EXPECT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), stream, &message, nullptr));
        return message;
    }
};

TEST_F(SignInPagesTest, PickerOffersNamesAndATextBox) {
    for (const char* path : {kQqPage, kWeChatPage}) {
        std::string page = Page(path);
        EXPECT_NE(page.find("<form method=\"get\" action=\"login.php\""), std::string::npos);
        EXPECT_NE(page.find("name=\"nickname\""), std::string::npos);
        EXPECT_NE(page.find("href=\"login.php?nickname=%E5%BC%A0%E4%B8%89\">" + kZhangSan),
                  std::string::npos);
        EXPECT_EQ(page.find("notify"), std::string::npos);
    }
}

TEST_F(SignInPagesTest, ChosenNameIsHandedOverWithAStableId) {
    Json::Value qq = Message(std::string(kQqPage) + "?nickname=%E5%BC%A0%E4%B8%89");
    EXPECT_EQ(qq["result"], 1);
    EXPECT_EQ(qq["nickname"].asString(), kZhangSan);
    EXPECT_TRUE(std::regex_match(qq["openid"].asString(), std::regex("[0-9A-F]{32}")));
    EXPECT_EQ(qq["openid"].asString(), SignInAccountId(SignInProvider::QQ, kZhangSan));
    EXPECT_FALSE(qq.isMember("unionid"));

    Json::Value weChat = Message(std::string(kWeChatPage) + "?nickname=%E5%BC%A0%E4%B8%89");
    EXPECT_EQ(weChat["result"], 1);
    EXPECT_TRUE(std::regex_match(weChat["unionid"].asString(), std::regex("o[0-9a-f]{27}")));
    EXPECT_FALSE(weChat.isMember("openid"));

    EXPECT_EQ(Message(std::string(kQqPage) + "?nickname=%E5%BC%A0%E4%B8%89"), qq);
    EXPECT_NE(Message(std::string(kQqPage) + "?nickname=Alice")["openid"], qq["openid"]);
}

TEST_F(SignInPagesTest, RefusalIsHandedOverAsResultZero) {
    Json::Value refused = Message(std::string(kWeChatPage) + "?cancel=1");
    EXPECT_EQ(refused["result"], 0);
    EXPECT_EQ(refused.size(), 1u);
}

// The nickname comes from the user; it must reach the program whole and
// never end the script or break out of its literal.
TEST_F(SignInPagesTest, HostileNicknamesStayInsideTheScriptLiteral) {
    const std::string hostile = "</script><script>alert(1)</script>\"'\\&\n\xe2\x80\xa8";
    std::string url = std::string(kQqPage) + "?nickname=" +
                      "%3C%2Fscript%3E%3Cscript%3Ealert(1)%3C%2Fscript%3E%22%27%5C%26%0A%E2%80%A8";
    std::string page = Page(url);
    EXPECT_EQ(page.find("<script>alert"), std::string::npos);
    EXPECT_EQ(page.find("\xe2\x80\xa8"), std::string::npos);
    EXPECT_EQ(Message(url)["nickname"].asString(), hostile);
}

TEST_F(SignInPagesTest, ScriptStaysInTheOldLanguage) {
    std::string page = Page(std::string(kQqPage) + "?nickname=Alice");
    for (const char* modern : {"=>", "let ", "const ", "JSON.", "`"})
        EXPECT_EQ(page.find(modern), std::string::npos) << modern;
}

TEST_F(SignInPagesTest, OverlongNicknameGoesBackToThePicker) {
    std::string page = Page(std::string(kQqPage) + "?nickname=" + std::string(81, 'x'));
    EXPECT_NE(page.find("name=\"nickname\""), std::string::npos);
    EXPECT_EQ(page.find("notify"), std::string::npos);
}

}  // namespace
}  // namespace pimlo::servers
