#pragma once

#include <string>

#include "ocr/OcrClient.h"
#include "tests/support/LoopbackHttpServer.h"

// A token answer as the service gives it, with the given lifetime.
inline std::string TokenAnswer(const std::string& token, long long expiresIn = 2592000) {
    return "{\"access_token\":\"" + token + "\",\"expires_in\":" + std::to_string(expiresIn) +
           ",\"scope\":\"public brain_ocr\"}";
}

// A client of the service stand-in at server, with the API key "AK" and the
// secret key "SK", short time-outs and a clock that stands still at now.
inline OcrClient ClientFor(const LoopbackHttpServer& server, int64_t now = 1700000000) {
    OcrClient client("APPID", "AK", "SK", CloudSite{server.Origin(), L""});
    client.TransportSettings().connectTimeoutMs = 2000;
    client.TransportSettings().timeoutMs = 2000;
    client.SetClock([now] { return now; });
    return client;
}
