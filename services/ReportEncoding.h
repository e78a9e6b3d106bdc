#pragma once

#include <windows.h>

#include <json/value.h>

#include <string>

// What the reports tell the reporting host, and how they travel: JSON,
// encrypted with the key shared with the host, in Base64.

// Who sends the reports: fixed for the life of the process.
struct ReportIdentity {
    std::wstring host;        // the reporting host, "name" or "name:port"
    std::string channelCode;  // the partner id, "0" by default (ANSI code page)
    std::string version;      // the installed version (ANSI code page)
    std::string machineCode;  // empty until one is stored
    std::string osName;       // see OsNameOf
    unsigned bitness = 32;    // 64 under WOW64
};

// The event report: AdId, the two ids, channel, machine code, OS, its
// bitness, the event code (1 installed, 2 uninstalled, 3 started on a new
// day, 4 installer downloaded) and the version.
Json::Value EventReportBody(const ReportIdentity& identity, int code, unsigned adId);

// The usage report of one day: the account ("Guest" when nobody is signed
// in) and its kind (1 mobile, 3 QQ, 2 WeChat, 4 nobody), the partner as a
// number, the day and its count.
Json::Value UsageReportBody(const std::string& account, DWORD loginType, int agentId,
                            const std::string& dateKey, int count);

// The JSON written styled (tab indentation, " : ") with a line feed, AES-128
// encrypted in ECB mode with PKCS#7 padding, in Base64; empty when the
// encryption fails.
std::string EncodeReport(const Json::Value& body);

// "Windows2000" ... "Windows8.1", "windows10" by the version numbers; empty
// for any other.
std::string OsNameOf(DWORD major, DWORD minor);
// The running system's name by RtlGetVersion; empty when it can not be had.
std::string RunningOsName();
// 64 when this process runs under WOW64, else 32.
unsigned ProcessBitness();

// A report's answer: accepted when it reads as a decimal number above 0.
bool IsAcceptedAnswer(const std::string& answer);
