#pragma once

#include <string>

#include "app/ProductRegistry.h"
#include "ocr/UsageCounter.h"
#include "services/ReportEncoding.h"

// Posts the reports to the reporting host, synchronously on the calling
// thread: event reports to "action.ashx", daily usage counts to "ocr.ashx".
// A report that fails is not repeated; a day's count stays stored until its
// report is accepted.
class ReportClient {
public:
    void Configure(ReportIdentity identity) { identity_ = std::move(identity); }
    // The machine code once a start has made one: the reports that follow
    // carry it, not the empty code of the configuration.
    void SetMachineCode(std::string code) { identity_.machineCode = std::move(code); }
    const ReportIdentity& Identity() const { return identity_; }

    // One event report (code 1 to 4) with the "AdId" of registry; true when
    // the host accepted it.
    bool SendEvent(int code, const ProductRegistry& registry = ProductRegistry());
    // One day's usage, for the account signed in (registry); true when accepted.
    bool SendUsage(const std::wstring& dateKey, int count,
                   const ProductRegistry& registry = ProductRegistry());
    // Sends each day of section "Count" of settingsFile whose count is above
    // 0, in file order, and removes the days the host accepted.
    void UploadUsageCounts(const std::wstring& settingsFile,
                           const ProductRegistry& registry = ProductRegistry());

    int LastEventCode() const { return lastEventCode_; }
    // The encoded body of the last report built.
    const std::string& Payload() const { return payload_; }

private:
    ReportIdentity identity_;
    int lastEventCode_ = 0;
    std::string payload_;

    std::wstring Url(const wchar_t* path) const;
};

// The process's client, configured at start-up.
ReportClient& CurrentReportClient();

// Adds the counter's recognitions to the stored count of its day (section
// "Count" of settingsFile), at the end of the process.
void FlushUsageCount(const UsageCounter& counter, const std::wstring& settingsFile);
