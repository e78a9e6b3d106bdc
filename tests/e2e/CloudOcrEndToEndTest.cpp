// The program's cloud client under Wine against the stand-in cloud API: a
// token fetched and a picture of known text read back, over HTTPS verified
// through the stand-in's own authority.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "ocr/OcrClient.h"
#include "tests/e2e/StandIns.h"

namespace {

using ::testing::HasSubstr;

std::string ReadFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::string JoinedWords(const Json::Value& answer) {
    std::string text;
    for (const auto& line : answer["words_result"]) text += line["words"].asString() + "\n";
    return text;
}

class CloudOcrEndToEnd : public ::testing::Test {
protected:
    OcrClient Client(std::wstring authority) const {
        return OcrClient("e2e-app", standIns_.apiKey, standIns_.secretKey,
                         CloudSite::AtHost(standIns_.ocrHost, std::move(authority)));
    }

    StandIns standIns_ = ReadStandIns();
    std::string picture_ = ReadFile("line.png");
};

TEST_F(CloudOcrEndToEnd, ReadsTheTextOfAPictureOverVerifiedHttps) {
    ASSERT_FALSE(picture_.empty());
    OcrClient client = Client(standIns_.authority);

    std::string token = client.GetAccessToken();
    EXPECT_THAT(token, ::testing::Not(HasSubstr("curl_error_code")));
    EXPECT_FALSE(token.empty());

    Json::Value answer = client.Recognize(OcrEndpoint::GeneralBasic, picture_, {});
    EXPECT_FALSE(answer.isMember("error_code")) << answer.toStyledString();
    EXPECT_EQ(answer["words_result_num"].asInt(), 1);
    EXPECT_THAT(JoinedWords(answer), HasSubstr("reads this line 2026"));
}

TEST_F(CloudOcrEndToEnd, FetchesANewTokenWhenTheServiceCallsTheOldOneExpired) {
    OcrClient client = Client(standIns_.authority);
    ASSERT_FALSE(client.GetAccessToken().empty());
    ASSERT_TRUE(standIns_.Script(
        R"({"host":"ocr","path":"/rest/2.0/ocr/v1/general_basic","expiredToken":true})"));
    int tokensBefore = standIns_.CountRequests("ocr", "/oauth/2.0/token");

    Json::Value answer = client.Recognize(OcrEndpoint::GeneralBasic, picture_, {});

    EXPECT_THAT(JoinedWords(answer), HasSubstr("reads this line"));
    EXPECT_EQ(standIns_.CountRequests("ocr", "/oauth/2.0/token"), tokensBefore + 1);
}

TEST_F(CloudOcrEndToEnd, TheServiceIsRefusedWithoutItsAuthority) {
    OcrClient client = Client(L"");
    Json::Value answer = client.Recognize(OcrEndpoint::GeneralBasic, picture_, {});
    EXPECT_TRUE(answer.isMember("curl_error_code")) << answer.toStyledString();
}

}  // namespace
