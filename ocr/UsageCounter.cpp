#include "ocr/UsageCounter.h"

#include <windows.h>

UsageCounter::UsageCounter() {
    SYSTEMTIME today = {};
    GetLocalTime(&today);
    dateKey_ = std::to_wstring(today.wYear) + L"-" + std::to_wstring(today.wMonth) + L"-" +
               std::to_wstring(today.wDay);
}

UsageCounter& CurrentUsageCounter() {
    static UsageCounter counter;
    return counter;
}
