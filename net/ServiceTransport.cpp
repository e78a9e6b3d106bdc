#include "net/ServiceTransport.h"

#include "net/CurlHandle.h"
#include "net/CurlSessionShare.h"
#include "net/TrustedRoots.h"

std::string UrlWithQuery(const std::string& url, const FormMap& query) {
    if (query.empty()) return url;
    char separator = url.find('?') == std::string::npos ? '?' : '&';
    return url + separator + FormEncode(query);
}

namespace {

// A connection left idle longer than this is not used again: a router or
// firewall on the way may have dropped it without a word, and a request sent
// on it would wait for the whole time-out. Pictures of one batch follow one
// another well within it.
constexpr long kMaxIdleSecondsForReuse = 30;

// Options shared by Post and Get.
void SetCommonOptions(CURL* curl, const ServiceTransportSettings& settings, std::string& response) {
    curl_easy_setopt(curl, CURLOPT_SHARE, ServiceSessionShare());
    curl_easy_setopt(curl, CURLOPT_MAXAGE_CONN, kMaxIdleSecondsForReuse);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendToString);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &response);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, settings.connectTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, settings.timeoutMs);
    curl_easy_setopt(curl, CURLOPT_VERBOSE, settings.verbose ? 1L : 0L);
    // The secret key, the token and the users' pictures go only to a peer
    // that proves it is the service. Windows checks the chain and the host
    // name itself, with every root it trusts; with a bundle (an extra
    // authority, or a TLS layer that checks nothing by itself) libcurl checks
    // them against the bundle.
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (const std::string* bundle = ServiceTrustBundle(settings.caFile, SystemPeerChecks())) {
        // libcurl only reads the blob, which lives as long as the process.
        curl_blob blob{const_cast<char*>(bundle->data()), bundle->size(), CURL_BLOB_NOCOPY};
        curl_easy_setopt(curl, CURLOPT_CAINFO_BLOB, &blob);
    }
}

}  // namespace

int ServiceTransport::Post(const std::string& url, const FormMap& query, const std::string& body,
                           const HeaderMap& headers, std::string& response) const {
    CurlEasy curl = NewCurlEasy();
    if (!curl) return CURLE_FAILED_INIT;
    std::string target = UrlWithQuery(url, query);
    CurlSlist headerList;
    for (const auto& [key, value] : headers) {
        std::string line = key + ":" + value;
        // Appending returns the list's head, or null (and leaves the list
        // as it was) when memory runs out.
        curl_slist* head = curl_slist_append(headerList.get(), line.c_str());
        if (!head) return CURLE_OUT_OF_MEMORY;
        if (!headerList) headerList.reset(head);
    }
    SetCommonOptions(curl.get(), settings, response);
    curl_easy_setopt(curl.get(), CURLOPT_URL, target.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_POST, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headerList.get());
    return curl_easy_perform(curl.get());
}

int ServiceTransport::Get(const std::string& url, std::string& response) const {
    CurlEasy curl = NewCurlEasy();
    if (!curl) return CURLE_FAILED_INIT;
    SetCommonOptions(curl.get(), settings, response);
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, nullptr);
    return curl_easy_perform(curl.get());
}
