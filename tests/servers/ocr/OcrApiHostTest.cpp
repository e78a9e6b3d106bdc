#include <gtest/gtest.h>
#include <json/reader.h>

#include <chrono>
#include <thread>

#include "platform/servers/ocr/OcrApiHost.h"
#include "tests/servers/ocr/TestPictures.h"
#include "tests/servers/support/ServerThread.h"
#include "tests/servers/support/TemporaryFolder.h"

namespace pimlo::servers {
namespace {

constexpr char kForm[] = "application/x-www-form-urlencoded";

using testing::FormBase64;

// Black text on white.
std::string Rendered(const std::string& size, const std::string& drawing) {
    return testing::Rendered("-size " + size +
                             " xc:white -font DejaVu-Sans -pointsize 40 -fill black " + drawing);
}

Json::Value Parse(const httplib::Result& result) {
    Json::Value value;
    if (!result) return value;
    std::istringstream text(result->body);
    Json::parseFromStream(Json::CharReaderBuilder(), text, &value, nullptr);
    return value;
}

class OcrApiHostTest : public ::testing::Test {
protected:
    OcrApiHostTest()
        : host_({"api-key", "secret-key", "https://127.0.0.1:9", folder_.Path()}, board_),
          served_(Mounted(host_, server_)) {}

    static httplib::Server& Mounted(OcrApiHost& host, httplib::Server& server) {
        host.Mount(server);
        return server;
    }

    std::string Token() {
        auto client = served_.Client();
        return Parse(
                   client->Get("/oauth/2.0/token?client_id=api-key&client_secret=secret-key&"
                               "grant_type=client_credentials&"))["access_token"]
            .asString();
    }

    Json::Value Post(const std::string& path, const std::string& token, const std::string& body) {
        auto client = served_.Client();
        return Parse(
            client->Post((path + "?access_token=" + token + "&aipSdk=C&").c_str(), body, kForm));
    }

    testing::TemporaryFolder folder_;
    ControlBoard board_;
    OcrApiHost host_;
    httplib::Server server_;
    testing::ServerThread served_;
};

TEST_F(OcrApiHostTest, GeneralBasicReadsTheTextOfARenderedPicture) {
    // A shaded background makes the file, and the body, larger than 8 KiB.
    const std::string picture = testing::Rendered(
        "-size 1000x300 gradient:white-gray80 -font DejaVu-Sans -pointsize 40 -fill black "
        "-annotate +40+170 'Pimlo reads 2048 lines'");
    ASSERT_FALSE(picture.empty());

    const std::string body =
        "detect_direction=true&detect_language=true&image=" + FormBase64(picture) +
        "&language_type=CHN_ENG&probability=true&";
    ASSERT_GT(body.size(), 8192u);

    const Json::Value answer = Post("/rest/2.0/ocr/v1/general_basic", Token(), body);

    ASSERT_EQ(answer["words_result_num"].asInt(), 1) << answer.toStyledString();
    EXPECT_EQ(answer["words_result"][0]["words"].asString(), "Pimlo reads 2048 lines");
    const Json::Value& probability = answer["words_result"][0]["probability"];
    EXPECT_GT(probability["average"].asDouble(), 0.5);
    EXPECT_LE(probability["min"].asDouble(), probability["average"].asDouble());
    EXPECT_TRUE(probability.isMember("variance"));
    EXPECT_FALSE(answer["words_result"][0].isMember("location"));
    EXPECT_EQ(answer["direction"].asInt(), 0);
    EXPECT_TRUE(answer["log_id"].isUInt64());
}

TEST_F(OcrApiHostTest, IdentityCardFieldsFromARenderedChineseCard) {
    const std::string card = testing::Rendered(
        "-size 1000x400 xc:white -font WenQuanYi-Micro-Hei -pointsize 36 -fill black "
        "-annotate +40+80 '姓名 张三' -annotate +40+160 '性别 男  民族 汉' "
        "-annotate +40+240 '住址 北京市海淀区' -annotate +40+320 '公民身份号码 "
        "11010819900102123X'");
    ASSERT_FALSE(card.empty());

    const Json::Value answer = Post(
        "/rest/2.0/ocr/v1/idcard", Token(),
        "detect_direction=true&detect_risk=false&id_card_side=front&image=" + FormBase64(card) +
            "&");

    EXPECT_EQ(answer["image_status"].asString(), "normal") << answer.toStyledString();
    EXPECT_EQ(answer["words_result"]["姓名"]["words"].asString(), "张三");
    EXPECT_EQ(answer["words_result"]["民族"]["words"].asString(), "汉");
    EXPECT_EQ(answer["words_result"]["公民身份号码"]["words"].asString(), "11010819900102123X");
}

TEST_F(OcrApiHostTest, TokenRefusalsAndScriptedErrors) {
    const std::string body = "image=" + FormBase64(Rendered("100x40", "")) + "&";
    const std::string token = Token();
    ASSERT_FALSE(token.empty());

    EXPECT_EQ(Post("/rest/2.0/ocr/v1/general_basic", "", body)["error_code"].asInt(), 110);
    EXPECT_EQ(Post("/rest/2.0/ocr/v1/general_basic", "24.unknown", body)["error_code"].asInt(),
              110);

    ScriptedAnswer expired;
    expired.host = "ocr";
    expired.expiredToken = true;
    board_.Script(expired);
    const Json::Value refused = Post("/rest/2.0/ocr/v1/bankcard", token, body);
    EXPECT_EQ(refused["error_code"].asInt(), 111);
    EXPECT_EQ(refused["error_msg"].asString(), "Access token expired");

    ScriptedAnswer limit;
    limit.host = "ocr";
    limit.errorCode = 17;
    board_.Script(limit);
    const Json::Value limited = Post("/rest/2.0/ocr/v1/general_basic", token, body);
    EXPECT_EQ(limited["error_code"].asInt(), 17);
    EXPECT_EQ(limited["error_msg"].asString(), "Open api daily request limit reached");
}

TEST_F(OcrApiHostTest, BadRequestsGetErrorAnswersNotDroppedConnections) {
    const std::string token = Token();
    EXPECT_EQ(Post("/rest/2.0/ocr/v1/general_basic", token, "image=%%%%&")["error_code"].asInt(),
              216201);
    EXPECT_EQ(Post("/rest/2.0/ocr/v1/idcard", token, "image=AAAA&")["error_code"].asInt(), 216101);
    EXPECT_EQ(Post("/rest/2.0/ocr/v1/no_such_kind", token, "image=AAAA&")["error_code"].asInt(), 3);
    EXPECT_EQ(Post("/rest/2.0/ocr/v1/general_basic", token,
                   "image=AAAA&language_type=KLINGON&")["error_code"]
                  .asInt(),
              216100);

    auto client = served_.Client();
    EXPECT_EQ(Parse(client->Get("/rest/2.0/ocr/v1/general_basic"))["error_code"].asInt(), 3);
    // Paths match exactly: the dot of "2.0" is not a wildcard.
    EXPECT_EQ(client
                  ->Get("/oauth/2x0/token?grant_type=client_credentials&client_id=api-key&"
                        "client_secret=secret-key&")
                  ->status,
              404);
    const std::string huge = "image=" + std::string(OcrApiHost::kMaxBodyBytes + 1, 'A');
    const httplib::Result oversize = client->Post("/rest/2.0/ocr/v1/general_basic", huge, kForm);
    ASSERT_TRUE(oversize);
    EXPECT_EQ(Parse(oversize)["error_code"].asInt(), 216202);
}

TEST_F(OcrApiHostTest, TableRequestEndsInADownloadableSpreadsheet) {
    const std::string picture = Rendered("900x200",
                                         "-annotate +20+60 'Item' -annotate +400+60 'Count' "
                                         "-annotate +20+140 'Apples' -annotate +400+140 '12'");
    const std::string token = Token();
    const Json::Value submitted =
        Post("/rest/2.0/solution/v1/form_ocr/request", token, "image=" + FormBase64(picture) + "&");
    const std::string id = submitted["result"][0]["request_id"].asString();
    ASSERT_FALSE(id.empty()) << submitted.toStyledString();

    Json::Value polled;
    for (int attempt = 0; attempt < 600; ++attempt) {
        polled = Post("/rest/2.0/solution/v1/form_ocr/get_request_result", token,
                      "request_id=" + id + "&result_type=excel&");
        const int code = polled["result"]["ret_code"].asInt();
        if (code != 1 && code != 2) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_EQ(polled["result"]["ret_code"].asInt(), 3) << polled.toStyledString();
    const std::string address = polled["result"]["result_data"].asString();
    const std::string origin = "https://127.0.0.1:9";
    ASSERT_EQ(address.rfind(origin, 0), 0u);

    auto client = served_.Client();
    const httplib::Result download = client->Get(address.substr(origin.size()).c_str());
    ASSERT_TRUE(download);
    EXPECT_EQ(download->status, 200);
    EXPECT_EQ(download->body.substr(0, 2), "PK");

    const Json::Value asJson = Post("/rest/2.0/solution/v1/form_ocr/get_request_result", token,
                                    "request_id=" + id + "&result_type=json&");
    EXPECT_NE(asJson["result"]["result_data"].asString().find("Apples"), std::string::npos);
    EXPECT_EQ(Post("/rest/2.0/solution/v1/form_ocr/get_request_result", token,
                   "request_id=9_9&result_type=excel&")["error_code"]
                  .asInt(),
              282808);
}

}  // namespace
}  // namespace pimlo::servers
