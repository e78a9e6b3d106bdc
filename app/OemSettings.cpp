#include "app/OemSettings.h"

#include "app/ProfileFile.h"
#include "common/FileSystem.h"
#include "common/StringConversion.h"

namespace {

// Room of a value with its terminating zero.
constexpr size_t kValueCapacity = 260;

constexpr wchar_t kServerSection[] = L"Server";

const ServerSettings& DefaultServers() {
    static const ServerSettings servers = {
        Utf8ToWide(kDefaultOcrHost),
        L"update.pimloocr.com",
        L"report.pimloocr.com",
        L"account.pimloocr.com",
        L"https://www.pimloocr.com/service.html",
        L"",
    };
    return servers;
}

std::wstring ReadServer(const std::wstring& file, const wchar_t* key,
                        const std::wstring& defaultValue) {
    return ReadProfileText(file, kServerSection, key, defaultValue, kValueCapacity);
}

}  // namespace

std::wstring OemFilePath(const std::wstring& installFolder) {
    return JoinPath(installFolder, L"oem.ini");
}

OemSettings ReadOemSettings(const std::wstring& installFolder) {
    const std::wstring file = OemFilePath(installFolder);
    const ServerSettings& defaults = DefaultServers();
    OemSettings settings;
    settings.partnerId = ReadProfileText(file, L"Partner", L"Id", L"0", kValueCapacity);
    settings.servers.ocrHost = ReadServer(file, L"OcrHost", defaults.ocrHost);
    settings.servers.updateHost = ReadServer(file, L"UpdateHost", defaults.updateHost);
    settings.servers.reportHost = ReadServer(file, L"ReportHost", defaults.reportHost);
    settings.servers.accountHost = ReadServer(file, L"AccountHost", defaults.accountHost);
    settings.servers.serviceUrl = ReadServer(file, L"ServiceUrl", defaults.serviceUrl);
    settings.servers.caFile = ReadServer(file, L"CaFile", defaults.caFile);
    return settings;
}
