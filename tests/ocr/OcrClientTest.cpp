#include <gtest/gtest.h>

#include <string>

#include "ocr/ImageData.h"
#include "ocr/OcrClient.h"
#include "tests/ocr/OcrTestSupport.h"

namespace {

// Two bytes whose Base64, "+/8=", holds every character that needs escaping.
const std::string kPicture("\xfb\xff", 2);
const char kEscapedPicture[] = "%2B%2F8%3D";

}  // namespace

TEST(OcrClientEndpoints, TableHoldsTheOriginAndEveryPath) {
    OcrClient client("a", "b", "c", CloudSite::AtHost("ocr.example:8443"));
    EXPECT_EQ(client.EndpointUrl(OcrEndpoint::GeneralBasic),
              "https://ocr.example:8443/rest/2.0/ocr/v1/general_basic");
    EXPECT_EQ(client.EndpointUrl(OcrEndpoint::FormOcrGetResult),
              "https://ocr.example:8443/rest/2.0/solution/v1/form_ocr/get_request_result");
    EXPECT_EQ(client.EndpointUrl(OcrEndpoint::IocrRecognise),
              "https://ocr.example:8443/rest/2.0/solution/v1/iocr/recognise");
    EXPECT_EQ(OcrClient("a", "b", "c").EndpointUrl(OcrEndpoint::Passport),
              "https://aip.baidubce.com/rest/2.0/ocr/v1/passport");
}

TEST(BuildImageData, PictureComesFirstAndOptionsNeverReplaceIt) {
    FormMap data = BuildImageData("a", {{"image", "other"}, {"detect_direction", "true"}});
    EXPECT_EQ(data.at("image"), "YQ==");
    EXPECT_EQ(data.at("detect_direction"), "true");
    EXPECT_EQ(data.size(), 2u);
    EXPECT_EQ(BuildImageData("", {}).at("image"), "");
}

TEST(OcrClientWire, GeneralTextRequestAsItGoesOverTheWire) {
    LoopbackHttpServer server;
    server.AnswerJson(TokenAnswer("24.a+b/c="));
    server.AnswerJson(R"({"log_id":1,"words_result_num":0,"words_result":[]})");
    OcrClient client = ClientFor(server);

    Json::Value answer = client.Recognize(OcrEndpoint::GeneralBasic, kPicture,
                                          {{"language_type", "CHN_ENG"},
                                           {"detect_direction", "true"},
                                           {"detect_language", "true"},
                                           {"probability", "true"}});

    EXPECT_EQ(answer["log_id"].asInt(), 1);
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].path, "/oauth/2.0/token");
    EXPECT_EQ(requests[0].query, "client_id=AK&client_secret=SK&grant_type=client_credentials&");
    EXPECT_EQ(requests[1].method, "POST");
    EXPECT_EQ(requests[1].path, "/rest/2.0/ocr/v1/general_basic");
    EXPECT_EQ(requests[1].query, "access_token=24.a%2Bb%2Fc%3D&aipSdk=C&aipSdkVersion=0.7.4&");
    EXPECT_EQ(requests[1].Header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(requests[1].body, std::string("detect_direction=true&detect_language=true&image=") +
                                    kEscapedPicture + "&language_type=CHN_ENG&probability=true&");
}

TEST(OcrClientWire, IdentityCardSidesAndVehicleLicenceOptions) {
    LoopbackHttpServer server;
    server.AnswerJson(TokenAnswer("t"));
    server.AnswerJson("{}");
    server.AnswerJson("{}");
    server.AnswerJson("{}");
    OcrClient client = ClientFor(server);
    FormMap cardOptions{{"detect_direction", "true"}, {"detect_risk", "false"}};

    client.IdCard(kPicture, true, cardOptions);
    client.IdCard(kPicture, false, cardOptions);
    client.Recognize(OcrEndpoint::VehicleLicense, kPicture,
                     {{"detect_direction", "true"}, {"accuracy", "normal"}});

    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[1].path, "/rest/2.0/ocr/v1/idcard");
    EXPECT_EQ(requests[1].body, std::string("detect_direction=true&detect_risk=false&") +
                                    "id_card_side=front&image=" + kEscapedPicture + "&");
    EXPECT_EQ(requests[2].body, std::string("detect_direction=true&detect_risk=false&") +
                                    "id_card_side=back&image=" + kEscapedPicture + "&");
    EXPECT_EQ(requests[3].path, "/rest/2.0/ocr/v1/vehicle_license");
    EXPECT_EQ(requests[3].body,
              std::string("accuracy=normal&detect_direction=true&image=") + kEscapedPicture + "&");
}

TEST(OcrClientWire, EveryBoundEndpointReceivesThePicture) {
    LoopbackHttpServer server;
    server.AnswerJson(TokenAnswer("t"));
    for (int i = 0; i < 8; ++i) server.AnswerJson("{}");
    OcrClient client = ClientFor(server);

    const OcrEndpoint bound[] = {OcrEndpoint::AccurateBasic,  OcrEndpoint::BankCard,
                                 OcrEndpoint::DrivingLicense, OcrEndpoint::BusinessLicense,
                                 OcrEndpoint::Passport,       OcrEndpoint::VatInvoice,
                                 OcrEndpoint::FormOcrRequest};
    for (OcrEndpoint endpoint : bound) client.Recognize(endpoint, kPicture, {});
    client.FormOcrGetResult("req-1", {{"result_type", "excel"}});

    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 9u);
    const char* paths[] = {"/rest/2.0/ocr/v1/accurate_basic",
                           "/rest/2.0/ocr/v1/bankcard",
                           "/rest/2.0/ocr/v1/driving_license",
                           "/rest/2.0/ocr/v1/business_license",
                           "/rest/2.0/ocr/v1/passport",
                           "/rest/2.0/ocr/v1/vat_invoice",
                           "/rest/2.0/solution/v1/form_ocr/request"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(requests[i + 1].path, paths[i]);
        EXPECT_EQ(requests[i + 1].body, std::string("image=") + kEscapedPicture + "&");
    }
    EXPECT_EQ(requests[8].path, "/rest/2.0/solution/v1/form_ocr/get_request_result");
    EXPECT_EQ(requests[8].body, "request_id=req-1&result_type=excel&");
}

TEST(OcrClientRequest, QueryGoesAfterAnAmpersandWhenTheUrlHasOne) {
    LoopbackHttpServer server;
    server.AnswerJson(TokenAnswer("t"));
    server.AnswerJson("{}");
    OcrClient client = ClientFor(server);
    client.Request(server.Origin() + "/p?x=1", {{"extra", "y"}}, {{"a", "b"}}, {});
    auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].query, "x=1&access_token=t&aipSdk=C&aipSdkVersion=0.7.4&extra=y&");
}

TEST(OcrClientRequest, TransportFailureBecomesCurlErrorCode) {
    std::string goneOrigin;
    {
        LoopbackHttpServer gone;
        goneOrigin = gone.Origin();
    }
    OcrClient client("a", "b", "c", CloudSite{goneOrigin, L""});
    Json::Value answer = client.Recognize(OcrEndpoint::GeneralBasic, kPicture, {});
    EXPECT_EQ(answer.getMemberNames(), std::vector<std::string>{"curl_error_code"});
    EXPECT_EQ(answer["curl_error_code"].asInt(), 7);

    // Another of libcurl's codes passes through as it is; this one needs no
    // connection and no name lookup.
    OcrClient unsupported("a", "b", "c", CloudSite{"nosuch://127.0.0.1", L""});
    EXPECT_EQ(
        unsupported.Recognize(OcrEndpoint::GeneralBasic, kPicture, {})["curl_error_code"].asInt(),
        1);
}

TEST(OcrClientRequest, SilentServerTimesOutWith28) {
    LoopbackHttpServer server;
    server.AnswerJson(TokenAnswer("t"));
    server.Answer(ScriptedResponse{200, "", "text/plain", 0, /*neverAnswer=*/true});
    OcrClient client = ClientFor(server);
    client.TransportSettings().timeoutMs = 500;
    EXPECT_EQ(client.Recognize(OcrEndpoint::GeneralBasic, kPicture, {})["curl_error_code"].asInt(),
              28);
}

TEST(OcrClientRequest, AnswersThatAreNotWellFormedJsonNeverThrow) {
    LoopbackHttpServer server;
    server.AnswerJson(TokenAnswer("t"));
    server.AnswerJson(R"({"error_code": 17, "error_msg": "Open api daily request limit reached")");
    server.AnswerJson("<html>Bad gateway</html>");
    server.AnswerJson("[1, 2]");
    server.AnswerJson(std::string(5000, '[') + std::string(5000, ']'));
    server.AnswerJson("");
    OcrClient client = ClientFor(server);

    Json::Value truncated = client.Recognize(OcrEndpoint::GeneralBasic, kPicture, {});
    EXPECT_EQ(truncated["error_code"].asInt(), 17);
    EXPECT_FALSE(client.Recognize(OcrEndpoint::GeneralBasic, kPicture, {}).isObject());
    EXPECT_TRUE(client.Recognize(OcrEndpoint::GeneralBasic, kPicture, {}).isArray());
    EXPECT_NO_THROW(client.Recognize(OcrEndpoint::GeneralBasic, kPicture, {}));
    EXPECT_TRUE(client.Recognize(OcrEndpoint::GeneralBasic, kPicture, {}).isNull());
}
