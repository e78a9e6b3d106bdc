#include "services/DailyCheck.h"

#include <cwctype>

namespace {

constexpr int kInstalledEvent = 1;
constexpr int kStartedEvent = 3;

// The digits of text as a number above 0, or false.
bool IsPositiveNumber(const std::wstring& text) {
    if (text.empty() || text.size() > 19) return false;
    unsigned long long value = 0;
    for (wchar_t c : text) {
        if (!std::iswdigit(c)) return false;
        value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    return value > 0;
}

}  // namespace

std::wstring DateKeyOf(const SYSTEMTIME& date) {
    return std::to_wstring(date.wYear) + L"-" + std::to_wstring(date.wMonth) + L"-" +
           std::to_wstring(date.wDay);
}

bool DailyCheckDue(const ProductRegistry& registry, const SYSTEMTIME& today) {
    return registry.UpdateDay() != today.wDay || registry.UpdateDate() != DateKeyOf(today);
}

std::wstring AdvertisingId(const ProductRegistry& registry) {
    const std::wstring stored = registry.AdId();
    if (!stored.empty()) return stored;
    std::wstring name = registry.InstallerName();
    name = name.substr(name.find_last_of(L"\\/") + 1);
    name = name.substr(0, name.find_last_of(L'.'));
    size_t mark = name.find(L'_');
    if (mark == std::wstring::npos) mark = name.find(L'-');
    const std::wstring candidate = mark == std::wstring::npos ? L"" : name.substr(mark + 1);
    if (!IsPositiveNumber(candidate)) return {};
    registry.SetAdId(candidate);
    return candidate;
}

void SendDailyReports(ReportClient& client, const ProductRegistry& registry,
                      const std::wstring& settingsFile) {
    if (registry.InstallReportPending()) {
        AdvertisingId(registry);
        client.SendEvent(kInstalledEvent, registry);
        registry.ClearInstallReportPending();
    }
    client.SendEvent(kStartedEvent, registry);
    client.UploadUsageCounts(settingsFile, registry);
}
