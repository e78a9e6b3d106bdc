#pragma once

#include <string>

#include "app/OemSettings.h"

// Where the cloud OCR API is reached: the origin that every endpoint and the
// token path are appended to, and an optional PEM file of extra authorities
// (to trust a local stand-in of the service).
struct CloudSite {
    std::string origin = std::string("https://") + kDefaultOcrHost;
    std::wstring caFile;

    // The site at host ("name" or "name:port") over https.
    static CloudSite AtHost(const std::string& host, std::wstring caFile = {});
};

// The process-wide site, set once at start-up before any recognition starts.
const CloudSite& CurrentCloudSite();
void SetCurrentCloudSite(CloudSite site);
