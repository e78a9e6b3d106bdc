#include <gtest/gtest.h>

#include <string>

#include "net/FormEncoding.h"
#include "tests/ocr/OcrTestSupport.h"

namespace {

const char kGeneralPath[] = "/rest/2.0/ocr/v1/general_basic";
const std::string kPicture = "picture";

std::string TokenIn(const RecordedRequest& request) {
    const std::string key = "access_token=";
    size_t start = request.query.find(key) + key.size();
    return request.query.substr(start, request.query.find('&', start) - start);
}

}  // namespace

TEST(AccessToken, ReusedWhileMoreThanADayIsLeft) {
    LoopbackHttpServer server;
    server.AnswerJson(TokenAnswer("first", 86401));
    OcrClient client = ClientFor(server);
    EXPECT_EQ(client.GetAccessToken(), "first");
    EXPECT_EQ(client.GetAccessToken(), "first");
    EXPECT_EQ(server.CountFor(kTokenPath), 1u);
}

TEST(AccessToken, FetchedAgainWithADayOrLessLeft) {
    LoopbackHttpServer server;
    server.AnswerJson(TokenAnswer("first", 86400));
    server.AnswerJson(TokenAnswer("second", 86400));
    OcrClient client = ClientFor(server);
    EXPECT_EQ(client.GetAccessToken(), "first");
    EXPECT_EQ(client.GetAccessToken(), "second");
    EXPECT_EQ(server.CountFor(kTokenPath), 2u);
}

TEST(AccessToken, ExpiryFollowsTheClock) {
    LoopbackHttpServer server;
    server.AnswerJson(TokenAnswer("first", 2592000));
    server.AnswerJson(TokenAnswer("second", 2592000));
    int64_t now = 1700000000;
    OcrClient client = ClientFor(server);
    client.SetClock([&now] { return now; });
    EXPECT_EQ(client.GetAccessToken(), "first");
    now += 2592000 - 86401;
    EXPECT_EQ(client.GetAccessToken(), "first");
    now += 1;
    EXPECT_EQ(client.GetAccessToken(), "second");
}

TEST(AccessToken, AnswerWithoutLifetimeServesOnlyTheCurrentRequest) {
    LoopbackHttpServer server;
    server.AnswerJson(R"({"access_token":"once"})");
    server.AnswerJson("{}");
    server.AnswerJson(R"({"access_token":"again"})");
    server.AnswerJson("{}");
    OcrClient client = ClientFor(server);
    client.Recognize(OcrEndpoint::GeneralBasic, kPicture, {});
    client.Recognize(OcrEndpoint::GeneralBasic, kPicture, {});
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(TokenIn(requests[1]), "once");
    EXPECT_EQ(TokenIn(requests[3]), "again");
}

TEST(AccessToken, RefusedCredentialsGiveAnEmptyTokenAndTheServiceDecides) {
    LoopbackHttpServer server;
    server.AnswerJson(R"({"error":"invalid_client","error_description":"unknown client id"})");
    server.AnswerJson(R"({"error_code":14,"error_msg":"IAM Certification failed"})");
    OcrClient client = ClientFor(server);
    Json::Value answer = client.Recognize(OcrEndpoint::GeneralBasic, kPicture, {});
    EXPECT_EQ(answer["error_code"].asInt(), 14);
    EXPECT_EQ(TokenIn(server.Requests()[1]), "");
}

TEST(AccessToken, EmptyCredentialsAreStillSent) {
    LoopbackHttpServer server;
    server.AnswerJson(R"({"error":"invalid_client","error_description":"unknown client id"})");
    OcrClient client("", "", "", CloudSite{server.Origin(), L""});
    EXPECT_EQ(client.GetAccessToken(), "");
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].query, "client_id=&client_secret=&grant_type=client_credentials&");
}

TEST(AccessToken, MalformedTokenAnswersNeverThrow) {
    struct Case {
        const char* answer;
        const char* token;
    };
    const Case cases[] = {
        {"not json", ""},
        {"", ""},
        {R"(["access_token"])", ""},
        {R"({"access_token":5})", ""},
        // A lifetime that is not a number reads as 0: the token serves once.
        {R"({"access_token":"t","expires_in":"soon"})", "t"},
        // Lifetimes at the ends of 64 bits wrap with the 32-bit expiry.
        {R"({"access_token":"t","expires_in":9223372036854775807})", "t"},
        {R"({"access_token":"t","expires_in":-9223372036854775808})", "t"},
    };
    for (const Case& c : cases) {
        LoopbackHttpServer server;
        server.AnswerJson(c.answer);
        server.AnswerJson(TokenAnswer("next"));
        OcrClient client = ClientFor(server);
        EXPECT_EQ(client.GetAccessToken(), c.token) << c.answer;
        EXPECT_EQ(client.GetAccessToken(), "next") << c.answer;
    }
}

TEST(AccessToken, TransportFailureTravelsAsTheTokenOfTheRequest) {
    std::string goneOrigin;
    {
        LoopbackHttpServer gone;
        goneOrigin = gone.Origin();
    }
    OcrClient client("a", "b", "c", CloudSite{goneOrigin, L""});
    EXPECT_EQ(client.GetAccessToken(), "{\n   \"curl_error_code\" : 7\n}\n");
}

TEST(AccessTokenRefusal, ErrorCode110ThenGoodAnswerGivesTheGoodAnswer) {
    LoopbackHttpServer server;
    server.AnswerJson(TokenAnswer("stale"));
    server.AnswerJson(
        R"({"error_code":110,"error_msg":"Access token invalid or no longer valid"})");
    server.AnswerJson(TokenAnswer("fresh"));
    server.AnswerJson(R"({"log_id":7,"words_result_num":0,"words_result":[]})");
    OcrClient client = ClientFor(server);

    Json::Value answer = client.Recognize(OcrEndpoint::GeneralBasic, kPicture, {});

    EXPECT_EQ(answer["log_id"].asInt(), 7);
    EXPECT_EQ(server.CountFor(kTokenPath), 2u);
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(TokenIn(requests[1]), "stale");
    EXPECT_EQ(TokenIn(requests[3]), "fresh");
    EXPECT_EQ(requests[3].body, requests[1].body);
}

TEST(AccessTokenRefusal, SecondRefusalIsReturnedUnchanged) {
    LoopbackHttpServer server;
    server.AnswerJson(TokenAnswer("one"));
    server.AnswerJson(R"({"error_code":111,"error_msg":"first"})");
    server.AnswerJson(TokenAnswer("two"));
    server.AnswerJson(R"({"error_code":111,"error_msg":"second"})");
    OcrClient client = ClientFor(server);

    Json::Value answer = client.Recognize(OcrEndpoint::GeneralBasic, kPicture, {});

    EXPECT_EQ(answer["error_msg"].asString(), "second");
    EXPECT_EQ(server.CountFor(kGeneralPath), 2u);
    EXPECT_EQ(server.CountFor(kTokenPath), 2u);
}

TEST(AccessTokenRefusal, OtherErrorsAreNotRepeated) {
    LoopbackHttpServer server;
    server.AnswerJson(TokenAnswer("t"));
    server.AnswerJson(R"({"error_code":216201,"error_msg":"image format error"})");
    OcrClient client = ClientFor(server);
    EXPECT_EQ(client.Recognize(OcrEndpoint::GeneralBasic, kPicture, {})["error_code"].asInt(),
              216201);
    EXPECT_EQ(server.CountFor(kGeneralPath), 1u);
}

TEST(AccessToken, EachClientFetchesItsOwnToken) {
    LoopbackHttpServer server;
    server.AnswerJson(TokenAnswer("for-first-picture"));
    server.AnswerJson("{}");
    server.AnswerJson(TokenAnswer("for-second-picture"));
    server.AnswerJson("{}");
    ClientFor(server).Recognize(OcrEndpoint::GeneralBasic, "one", {});
    ClientFor(server).Recognize(OcrEndpoint::GeneralBasic, "two", {});
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(TokenIn(requests[1]), "for-first-picture");
    EXPECT_EQ(TokenIn(requests[3]), "for-second-picture");
}
