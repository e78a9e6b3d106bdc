#pragma once

#include <windows.h>

#include <string>

#include "app/ProductRegistry.h"
#include "services/ReportClient.h"

// The reporting side of the silent check of every new day: when it is due,
// the install report once after an installation (with the advertising id
// derived from the installer's name), the start report of the day, and the
// stored usage counts.

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
