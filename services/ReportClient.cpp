#include "services/ReportClient.h"

#include <cstdlib>
#include <utility>
#include <vector>

#include "common/StringConversion.h"
#include "net/CurlByteClient.h"
#include "net/CurlTextClient.h"

namespace {

constexpr wchar_t kEventPath[] = L"action.ashx";
constexpr wchar_t kUsagePath[] = L"ocr.ashx";
constexpr wchar_t kCountSection[] = L"Count";
// The credentials of the usage reports.
constexpr char kUsageUser[] = "abcd";
constexpr char kUsagePassword[] = "wxyz";
constexpr DWORD kMaxSection = 32767;

// A decimal text as a number; 0 when it is none.
long long NumberOf(const std::string& text) { return std::strtoll(text.c_str(), nullptr, 10); }

// The keys of a settings section, in file order.
std::vector<std::wstring> SectionKeys(const std::wstring& file, const wchar_t* section) {
    std::vector<wchar_t> entries(kMaxSection + 1, L'\0');
    const DWORD length =
        GetPrivateProfileSectionW(section, entries.data(), kMaxSection, file.c_str());
    std::vector<std::wstring> keys;
    for (DWORD start = 0; start < length;) {
        const std::wstring entry(entries.data() + start);
        start += static_cast<DWORD>(entry.size()) + 1;
        const size_t equals = entry.find(L'=');
        if (equals != std::wstring::npos) keys.push_back(entry.substr(0, equals));
    }
    return keys;
}

}  // namespace

std::wstring ReportClient::Url(const wchar_t* path) const {
    return L"http://" + identity_.host + L"/" + path;
}

bool ReportClient::SendEvent(int code, const ProductRegistry& registry) {
    const long long adId = NumberOf(WideToAnsi(registry.AdId()));
    lastEventCode_ = code;
    payload_ = EncodeReport(EventReportBody(
        identity_, code, adId > 0 && adId <= UINT_MAX ? static_cast<unsigned>(adId) : 0));
    std::wstring answer;
    return CurlTextClient(CurlTextClient::AnswerEncoding::Utf8)
               .PostForm(Url(kEventPath), L"", L"", AnsiToWide(payload_), answer) &&
           IsAcceptedAnswer(WideToUtf8(answer));
}

bool ReportClient::SendUsage(const std::wstring& dateKey, int count,
                             const ProductRegistry& registry) {
    const StoredAccount account = registry.ReadAccount();
    payload_ = EncodeReport(UsageReportBody(WideToAnsi(account.account), account.loginType,
                                            static_cast<int>(NumberOf(identity_.channelCode)),
                                            WideToAnsi(dateKey), count));
    return IsAcceptedAnswer(CurlByteClient().PostJson(WideToUtf8(Url(kUsagePath)), payload_,
                                                      kUsageUser, kUsagePassword));
}

void ReportClient::UploadUsageCounts(const std::wstring& settingsFile,
                                     const ProductRegistry& registry) {
    for (const std::wstring& day : SectionKeys(settingsFile, kCountSection)) {
        const int count = static_cast<int>(
            GetPrivateProfileIntW(kCountSection, day.c_str(), 0, settingsFile.c_str()));
        if (count > 0 && SendUsage(day, count, registry))
            WritePrivateProfileStringW(kCountSection, day.c_str(), nullptr, settingsFile.c_str());
    }
}

ReportClient& CurrentReportClient() {
    static ReportClient client;
    return client;
}

void FlushUsageCount(const UsageCounter& counter, const std::wstring& settingsFile) {
    const wchar_t* day = counter.DateKey().c_str();
    const int sum =
        static_cast<int>(GetPrivateProfileIntW(kCountSection, day, 0, settingsFile.c_str())) +
        counter.Count();
    if (sum > 0)
        WritePrivateProfileStringW(kCountSection, day, std::to_wstring(sum).c_str(),
                                   settingsFile.c_str());
}
