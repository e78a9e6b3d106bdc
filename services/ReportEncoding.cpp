#include "services/ReportEncoding.h"

#include <json/writer.h>

#include <cstdlib>

#include "common/Aes128.h"
#include "common/Base64.h"

namespace {

// Shared with the reporting host.
constexpr char kReportKey[] = "Qkv#Rt!512#PLUMX";
constexpr unsigned kApplicationId = 21;
constexpr unsigned kInterfaceId = 11;
constexpr int kUsageSourceId = 3;

int UsageKindOf(DWORD loginType) {
    switch (loginType) {
        case 1:
            return 1;  // mobile number
        case 2:
            return 3;  // QQ
        case 3:
            return 2;  // WeChat
        default:
            return 4;  // nobody signed in
    }
}

}  // namespace

Json::Value EventReportBody(const ReportIdentity& identity, int code, unsigned adId) {
    Json::Value body(Json::objectValue);
    body["AdId"] = adId;
    body["AppApiId"] = kInterfaceId;
    body["AppId"] = kApplicationId;
    body["ChannelCode"] = identity.channelCode;
    body["MachineCode"] = identity.machineCode;
    body["Os"] = identity.osName;
    body["OsBit"] = identity.bitness;
    body["TypeId"] = code;
    body["Version"] = identity.version;
    return body;
}

Json::Value UsageReportBody(const std::string& account, DWORD loginType, int agentId,
                            const std::string& dateKey, int count) {
    Json::Value body(Json::objectValue);
    body["Account"] = account.empty() ? "Guest" : account;
    body["AgentId"] = agentId;
    body["Date"] = dateKey;
    body["SourceId"] = kUsageSourceId;
    body["Times"] = count;
    body["TypeId"] = UsageKindOf(account.empty() ? 0 : loginType);
    return body;
}

std::string EncodeReport(const Json::Value& body) {
    Json::StreamWriterBuilder styled;
    styled["indentation"] = "\t";
    const std::string json = Json::writeString(styled, body) + "\n";
    return Base64Encode(Aes128EcbEncrypt(kReportKey, json));
}

std::string OsNameOf(DWORD major, DWORD minor) {
    const struct {
        DWORD major, minor;
        const char* name;
    } names[] = {{5, 0, "Windows2000"}, {5, 1, "WindowsXP"}, {5, 2, "Windows2003"},
                 {6, 0, "Vista"},       {6, 1, "Windows7"},  {6, 2, "Windows8"},
                 {6, 3, "Windows8.1"},  {10, 0, "windows10"}};
    for (const auto& each : names)
        if (each.major == major && each.minor == minor) return each.name;
    return {};
}

std::string RunningOsName() {
    using GetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto query = ntdll ? reinterpret_cast<GetVersion>(
                                   reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                             : nullptr;
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!query || query(&version) != 0) return {};
    return OsNameOf(version.dwMajorVersion, version.dwMinorVersion);
}

unsigned ProcessBitness() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64 ? 64 : 32;
}

bool IsAcceptedAnswer(const std::string& answer) {
    return !answer.empty() && std::strtoll(answer.c_str(), nullptr, 10) > 0;
}
