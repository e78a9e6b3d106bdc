#pragma once

#include <windows.h>

#include <string>

#include "app/ProductRegistry.h"
#include "services/ReportClient.h"

// The silent check of every new day, on a thread of its own: the install
// report once after an installation (with the advertising id derived from
// the installer's name), the start report of the day, and the stored usage
// counts. Nothing is shown.
class DailyCheck {
public:
    DailyCheck() = default;
    ~DailyCheck();
    DailyCheck(const DailyCheck&) = delete;
    DailyCheck& operator=(const DailyCheck&) = delete;

    // Starts the check when today is not the day of the last one (by the
    // whole date, and by the day of the month as it was kept before), and
    // marks today. settingsFile holds the usage counts.
    void StartIfDue(const std::wstring& settingsFile);
    // True while the check runs.
    bool IsChecking();

private:
    HANDLE thread_ = nullptr;
    std::wstring settingsFile_;

    static DWORD WINAPI Run(void* self);
};

// The process's check.
DailyCheck& CurrentDailyCheck();

// "year-month-day" without leading zeros, as the usage counts are keyed.
std::wstring DateKeyOf(const SYSTEMTIME& date);

// True when a check is due on today: its day of the month or its date
// differs from the last check's.
bool DailyCheckDue(const ProductRegistry& registry, const SYSTEMTIME& today);

// The advertising id: the stored "AdId"; else the number after the first
// "_" (or, without one, the first "-") of the installer's file name without
// its extension, stored when it is a decimal number above 0; else empty.
std::wstring AdvertisingId(const ProductRegistry& registry);

// The silent check's reports, in order: install (once), start, usage.
void SendDailyReports(ReportClient& client, const ProductRegistry& registry,
                      const std::wstring& settingsFile);
