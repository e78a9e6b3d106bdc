#include "net/CurlByteClient.h"

#include <cstdio>

#include "common/DebugTrace.h"
#include "common/StringConversion.h"
#include "net/CurlHandle.h"

namespace {

// Connect and overall time-outs of the byte client, in seconds.
constexpr long kConnectTimeoutSeconds = 20;
constexpr long kPostTimeoutSeconds = 20;
constexpr long kMaxRedirects = 5;

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};

void TraceIfFailed(CURLcode code) {
    if (code != CURLE_OK) DebugTrace(L"curl_easy_perform error = %d\n", static_cast<int>(code));
}

CurlEasy NewTracedCurlEasy() {
    CurlEasy curl = NewCurlEasy();
    if (!curl) DebugTrace(L"curl_easy_init error\n");
    return curl;
}

void SetCredentialsAndTls(CURL* curl, const std::string& credentials) {
    curl_easy_setopt(curl, CURLOPT_USERPWD, credentials.c_str());
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
}

}  // namespace

std::string CurlByteClient::Perform(CURL* curl) {
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendToString);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &received_);
    TraceIfFailed(curl_easy_perform(curl));
    return received_;
}

std::string CurlByteClient::Get(const std::string& url, const std::string& user,
                                const std::string& password) {
    received_.clear();
    CurlEasy curl = NewTracedCurlEasy();
    if (!curl) return received_;
    std::string credentials = user + ":" + password;
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    SetCredentialsAndTls(curl.get(), credentials);
    SetStallLimit(curl.get(), stallSeconds);
    return Perform(curl.get());
}

std::string CurlByteClient::PostJson(const std::string& url, const std::string& body,
                                     const std::string& user, const std::string& password) {
    received_.clear();
    CurlEasy curl = NewTracedCurlEasy();
    if (!curl) return received_;
    CurlSlist headers(curl_slist_append(nullptr, "Content-Type:application/json;charset=UTF-8"));
    std::string credentials = user + ":" + password;
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_POST, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, body.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(curl.get(), CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, kPostTimeoutSeconds);
    SetCredentialsAndTls(curl.get(), credentials);
    return Perform(curl.get());
}

bool CurlByteClient::Download(const std::string& url, const std::string& filePath) {
    std::unique_ptr<FILE, FileCloser> file(_wfopen(Utf8ToWide(filePath).c_str(), L"wb"));
    if (!file) {
        DebugTrace(L"fopen error\n");
        return false;
    }
    CurlEasy curl = NewTracedCurlEasy();
    if (!curl) return false;
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, fwrite);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, file.get());
    curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_MAXREDIRS, kMaxRedirects);
    curl_easy_setopt(curl.get(), CURLOPT_NOPROGRESS, 0L);
    // An error page (404, 500 ...) is not the file that was asked for.
    curl_easy_setopt(curl.get(), CURLOPT_FAILONERROR, 1L);
    SetStallLimit(curl.get(), stallSeconds);
    CURLcode code = curl_easy_perform(curl.get());
    TraceIfFailed(code);
    return code == CURLE_OK;
}
