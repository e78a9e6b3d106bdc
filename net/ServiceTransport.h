#pragma once

#include <string>

#include "net/FormEncoding.h"

// Request headers as key and value; each goes out as one "key:value" line.
using HeaderMap = std::map<std::string, std::string>;

// How the cloud service's requests are sent. Time-outs are in milliseconds.
struct ServiceTransportSettings {
    bool verbose = false;
    long connectTimeoutMs = 60000;
    long timeoutMs = 60000;
    // Optional PEM file of authorities trusted besides the system's roots.
    std::wstring caFile;
};

// The transport of the cloud OCR service: one easy handle per call, the TLS
// peer and host name always verified. Both calls return libcurl's result
// code (0 for success) and leave what was received in response.
class ServiceTransport {
public:
    ServiceTransportSettings settings;

    // POSTs body (any bytes, sent with its length) to url with the
    // form-encoded query appended after "?", or after "&" when url already
    // holds a "?"; an empty query leaves url as it is.
    int Post(const std::string& url, const FormMap& query, const std::string& body,
             const HeaderMap& headers, std::string& response) const;

    // GETs url, which already carries its query, with no headers.
    int Get(const std::string& url, std::string& response) const;
};

// url followed by the encoded query, joined by "?" or "&".
std::string UrlWithQuery(const std::string& url, const FormMap& query);
