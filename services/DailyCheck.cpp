#include "services/DailyCheck.h"

#include <cwctype>

#include "common/DebugTrace.h"

namespace {

constexpr int kInstalledEvent = 1;
constexpr int kStartedEvent = 3;
constexpr int kUnexpectedFault = 5;

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

DailyCheck::~DailyCheck() {
    if (thread_) CloseHandle(thread_);
}

void DailyCheck::StartIfDue(const std::wstring& settingsFile) {
    const ProductRegistry registry;
    SYSTEMTIME today = {};
    GetLocalTime(&today);
    if (IsChecking() || !DailyCheckDue(registry, today)) return;
    registry.SetUpdateDay(today.wDay);
    registry.SetUpdateDate(DateKeyOf(today));
    settingsFile_ = settingsFile;
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

bool DailyCheck::IsChecking() {
    if (!thread_) return false;
    if (WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT) return true;
    CloseHandle(thread_);
    thread_ = nullptr;
    return false;
}

DWORD WINAPI DailyCheck::Run(void* self) {
    try {
        SendDailyReports(CurrentReportClient(), ProductRegistry(),
                         static_cast<DailyCheck*>(self)->settingsFile_);
    } catch (...) {
        // Whatever went wrong, the program goes on without this day's reports.
        DebugTrace(L"Type=%d File=%s Line=%d", kUnexpectedFault, L"DailyCheck.cpp", __LINE__);
    }
    return 0;
}

DailyCheck& CurrentDailyCheck() {
    static DailyCheck check;
    return check;
}

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
