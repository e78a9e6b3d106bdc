#include "net/CurlTextClient.h"

#include "common/StringConversion.h"
#include "net/CurlHandle.h"

namespace {

constexpr long kConnectTimeoutSeconds = 20;
constexpr long kPostTimeoutSeconds = 10;
// The update host answers only requests that carry these credentials.
constexpr char kUpdateCredentials[] = "abcd:wxyz";

}  // namespace

// The answer is decoded once it is complete: a character whose bytes arrive
// in two chunks would be broken by decoding chunk by chunk. Decoding replaces
// what is not a character, so one bad byte or an answer cut inside a
// character keeps the rest of the text.
std::wstring CurlTextClient::Decode(const std::string& bytes) const {
    return encoding_ == AnswerEncoding::Utf8 ? Utf8ToWideReplacingInvalid(bytes)
                                             : AnsiToWide(bytes);
}

std::wstring CurlTextClient::GetText(const std::wstring& url) const {
    CurlEasy curl = NewCurlEasy();
    if (!curl) return {};
    std::string received;
    std::string ansiUrl = WideToAnsi(url);
    curl_easy_setopt(curl.get(), CURLOPT_URL, ansiUrl.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, AppendToString);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &received);
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(curl.get(), CURLOPT_USERPWD, kUpdateCredentials);
    SetStallLimit(curl.get(), stallSeconds);
    curl_easy_perform(curl.get());
    return Decode(received);
}

bool CurlTextClient::PostForm(const std::wstring& url, const std::wstring& user,
                              const std::wstring& password, const std::wstring& form,
                              std::wstring& answer) const {
    answer.clear();
    CurlEasy curl = NewCurlEasy();
    if (!curl) return false;
    std::string received;
    std::string ansiUrl = WideToAnsi(url);
    std::string credentials = WideToAnsi(user) + ":" + WideToAnsi(password);
    std::string body = WideToAnsi(form);
    curl_easy_setopt(curl.get(), CURLOPT_URL, ansiUrl.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_POST, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, body.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, AppendToString);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &received);
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, kPostTimeoutSeconds);
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(curl.get(), CURLOPT_USERPWD, credentials.c_str());
    CURLcode code = curl_easy_perform(curl.get());
    answer = Decode(received);
    return code == CURLE_OK;
}
