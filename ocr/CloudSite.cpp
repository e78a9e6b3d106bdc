#include "ocr/CloudSite.h"

#include <utility>

namespace {

CloudSite& Current() {
    static CloudSite site;
    return site;
}

}  // namespace

CloudSite CloudSite::AtHost(const std::string& host, std::wstring caFile) {
    return CloudSite{"https://" + host, std::move(caFile)};
}

const CloudSite& CurrentCloudSite() { return Current(); }

void SetCurrentCloudSite(CloudSite site) { Current() = std::move(site); }
