#include "ocr/OcrClient.h"

#include <ctime>
#include <utility>

#include "ocr/ImageData.h"
#include "ocr/JsonMembers.h"

namespace {

// A token is renewed when it has less than a day left.
constexpr int64_t kTokenMarginSeconds = 86400;
// The service's error codes for an invalid and an expired access token.
constexpr int64_t kInvalidToken = 110;
constexpr int64_t kExpiredToken = 111;

Json::Value TransportFailure(int curlCode) {
    Json::Value answer(Json::objectValue);
    answer["curl_error_code"] = curlCode;
    return answer;
}

// The object as jsoncpp's styled writer prints it: three-space indent and a
// closing line feed.
std::string StyledText(const Json::Value& value) {
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "   ";
    return Json::writeString(writer, value) + "\n";
}

}  // namespace

int64_t SystemUnixTime() { return static_cast<int64_t>(std::time(nullptr)); }

OcrClient::OcrClient(std::string appId, std::string apiKey, std::string secretKey,
                     const CloudSite& site)
    : appId_(std::move(appId)),
      apiKey_(std::move(apiKey)),
      secretKey_(std::move(secretKey)),
      tokenUrl_(site.origin + kTokenPath) {
    transport_.settings.caFile = site.caFile;
    for (size_t i = 0; i < kOcrEndpointCount; ++i)
        endpoints_[i] = site.origin + kOcrEndpointPaths[i];
}

const std::string& OcrClient::EndpointUrl(OcrEndpoint endpoint) const {
    return endpoints_[static_cast<size_t>(endpoint)];
}

std::string OcrClient::GetAccessToken() {
    const int64_t now = clock_();
    if (!accessToken_.empty() && now < static_cast<int64_t>(tokenExpiry_) - kTokenMarginSeconds) {
        return accessToken_;
    }
    FormMap query{{"grant_type", "client_credentials"},
                  {"client_id", apiKey_},
                  {"client_secret", secretKey_}};
    std::string response;
    int code = transport_.Get(UrlWithQuery(tokenUrl_, query), response);
    if (code != 0) return StyledText(TransportFailure(code));

    Json::Value answer = ParseJson(jsonReaderSettings_, response);
    accessToken_ = StringMember(answer, "access_token");
    // The expiry is kept in 32 bits, as the service's clients always have.
    // The sum is taken modulo 2^64, so that a lifetime near the ends of 64
    // bits wraps like the 32-bit expiry does instead of overflowing.
    const uint64_t expiry =
        static_cast<uint64_t>(Int64Member(answer, "expires_in")) + static_cast<uint64_t>(now);
    tokenExpiry_ = static_cast<int32_t>(static_cast<uint32_t>(expiry));
    scope_ = StringMember(answer, "scope");
    return accessToken_;
}

Json::Value OcrClient::Request(const std::string& url, const FormMap& query, const FormMap& data,
                               const HeaderMap& headers, bool repeated) {
    FormMap fullQuery = query;
    fullQuery["aipSdk"] = "C";
    fullQuery["aipSdkVersion"] = "0.7.4";
    fullQuery["access_token"] = GetAccessToken();

    std::string response;
    int code;
    {
        // The body is the largest thing a request holds: it is gone before
        // a repetition builds its own.
        std::string body = FormEncode(data);
        code = transport_.Post(url, fullQuery, body, headers, response);
    }
    if (code != 0) return TransportFailure(code);

    Json::Value answer = ParseJson(jsonReaderSettings_, response);
    int64_t error = Int64Member(answer, "error_code");
    if ((error == kInvalidToken || error == kExpiredToken) && !repeated) {
        accessToken_.clear();
        return Request(url, query, data, headers, true);
    }
    return answer;
}

Json::Value OcrClient::Recognize(OcrEndpoint endpoint, std::string_view picture,
                                 const FormMap& options) {
    return Request(EndpointUrl(endpoint), {}, BuildImageData(picture, options), {});
}

Json::Value OcrClient::IdCard(std::string_view picture, bool front, const FormMap& options) {
    FormMap data = BuildImageData(picture, options);
    data.emplace("id_card_side", front ? "front" : "back");
    return Request(EndpointUrl(OcrEndpoint::IdCard), {}, data, {});
}

Json::Value OcrClient::FormOcrGetResult(const std::string& requestId, const FormMap& options) {
    FormMap data = options;
    data.emplace("request_id", requestId);
    return Request(EndpointUrl(OcrEndpoint::FormOcrGetResult), {}, data, {});
}
