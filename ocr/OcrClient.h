#pragma once

#include <json/json.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "net/FormEncoding.h"
#include "net/ServiceTransport.h"
#include "ocr/CloudSite.h"
#include "ocr/Endpoints.h"

// Seconds since 1970-01-01 UTC.
using UnixClock = std::function<int64_t()>;
int64_t SystemUnixTime();

// Client of the cloud OCR service, built for one picture (or one polling
// round of a table) and dropped afterwards. It fetches an access token with
// the client-credentials grant before its first request, keeps it until one
// day before it expires, and fetches a new one when the service refuses it.
class OcrClient {
public:
    OcrClient(std::string appId, std::string apiKey, std::string secretKey,
              const CloudSite& site = CurrentCloudSite());

    // Posts the picture as "image" plus options to a recognition endpoint;
    // returns the answer or {"curl_error_code": n}.
    Json::Value Recognize(OcrEndpoint endpoint, std::string_view picture, const FormMap& options);
    // The identity card endpoint, told which side of the card the picture shows.
    Json::Value IdCard(std::string_view picture, bool front, const FormMap& options);
    // Asks for the state of a table request; options carry "result_type".
    Json::Value FormOcrGetResult(const std::string& requestId, const FormMap& options);

    // Posts the form-encoded data to url with the client's query (access
    // token, SDK name and version) added to query. An answer whose
    // "error_code" is 110 or 111 (token invalid or expired) empties the
    // cached token and sends the same request once more.
    Json::Value Request(const std::string& url, const FormMap& query, const FormMap& data,
                        const HeaderMap& headers, bool repeated = false);

    // The cached token while it is valid for more than a day, otherwise a
    // freshly fetched one. A transport failure gives the JSON text
    // {"curl_error_code": n} in place of a token and leaves the cache alone.
    std::string GetAccessToken();

    const std::string& EndpointUrl(OcrEndpoint endpoint) const;
    ServiceTransportSettings& TransportSettings() { return transport_.settings; }
    void SetClock(UnixClock clock) { clock_ = std::move(clock); }

private:
    std::string appId_;
    int32_t tokenExpiry_ = 0;
    std::string scope_;
    std::string apiKey_;
    std::string secretKey_;
    ServiceTransport transport_;
    Json::CharReaderBuilder jsonReaderSettings_;
    std::string accessToken_;
    std::array<std::string, kOcrEndpointCount> endpoints_;
    std::string tokenUrl_;
    UnixClock clock_ = SystemUnixTime;
};
