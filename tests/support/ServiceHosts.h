#pragma once
// The four service hosts of an install folder's "oem.ini" (section
// "Server"). The program contacts them as it starts, so every install folder
// a test or a benchmark starts it from names hosts on this machine only: the
// stand-in servers, or a closed port. None of them ever falls back to the
// hosts compiled into the program.

#include <windows.h>

#include <cwchar>
#include <string>

#include "common/FileSystem.h"

struct ServiceHosts {
    std::wstring ocr;      // cloud OCR API, https: "name:port"
    std::wstring update;   // update host, http
    std::wstring report;   // reporting host, http
    std::wstring account;  // account service, http
    std::wstring caFile;   // extra authority for the OCR API; empty removes the key
};

// The discard port on loopback, which nothing here serves: a connection to it
// is refused at once, without a time-out and without a name to resolve.
inline constexpr wchar_t kClosedLoopbackHost[] = L"127.0.0.1:9";

// Every host at the closed port, for starts that use no stand-in.
inline ServiceHosts ClosedServiceHosts() {
    return {kClosedLoopbackHost, kClosedLoopbackHost, kClosedLoopbackHost, kClosedLoopbackHost,
            L""};
}

// True when a host ("name", "name:port" or "[address]:port") is this
// machine: an address of 127.0.0.0/8, ::1, or "localhost", which the
// resolvers answer from their own tables without asking a name server.
inline bool IsLoopbackHost(const std::wstring& host) {
    if (!host.empty() && host.front() == L'[') {
        const size_t close = host.find(L']');
        return close != std::wstring::npos && host.compare(1, close - 1, L"::1") == 0 &&
               (close + 1 == host.size() || host[close + 1] == L':');
    }
    const std::wstring name = host.substr(0, host.find(L':'));
    if (_wcsicmp(name.c_str(), L"localhost") == 0) return true;
    unsigned parts[4] = {};
    wchar_t more = 0;
    return swscanf(name.c_str(), L"%3u.%3u.%3u.%3u%lc", &parts[0], &parts[1], &parts[2], &parts[3],
                   &more) == 4 &&
           parts[0] == 127 && parts[1] <= 255 && parts[2] <= 255 && parts[3] <= 255;
}

inline std::wstring OemFileOf(const std::wstring& installFolder) {
    return JoinPath(installFolder, L"oem.ini");
}

// The hosts as the install folder's "oem.ini" names them; empty where a key
// is missing.
inline ServiceHosts ReadServiceHosts(const std::wstring& installFolder) {
    const std::wstring file = OemFileOf(installFolder);
    const auto read = [&file](const wchar_t* key) {
        wchar_t value[260] = {};
        GetPrivateProfileStringW(L"Server", key, L"", value, 260, file.c_str());
        return std::wstring(value);
    };
    return {read(L"OcrHost"), read(L"UpdateHost"), read(L"ReportHost"), read(L"AccountHost"),
            read(L"CaFile")};
}

// True when all four hosts are named and every one is on this machine.
inline bool ServiceHostsOnLoopback(const std::wstring& installFolder) {
    const ServiceHosts hosts = ReadServiceHosts(installFolder);
    for (const std::wstring* host : {&hosts.ocr, &hosts.update, &hosts.report, &hosts.account}) {
        if (!IsLoopbackHost(*host)) return false;
    }
    return true;
}

// Writes the four hosts and CaFile into the install folder's "oem.ini",
// keeping its other keys and sections. Hosts off this machine are refused:
// false, and nothing is written.
inline bool WriteServiceHosts(const std::wstring& installFolder, const ServiceHosts& hosts) {
    for (const std::wstring* host : {&hosts.ocr, &hosts.update, &hosts.report, &hosts.account}) {
        if (!IsLoopbackHost(*host)) return false;
    }
    const std::wstring file = OemFileOf(installFolder);
    const auto write = [&file](const wchar_t* key, const wchar_t* value) {
        return WritePrivateProfileStringW(L"Server", key, value, file.c_str()) != FALSE;
    };
    // A missing CaFile is no failure: removing it only makes sure none is left.
    write(L"CaFile", hosts.caFile.empty() ? nullptr : hosts.caFile.c_str());
    return write(L"OcrHost", hosts.ocr.c_str()) && write(L"UpdateHost", hosts.update.c_str()) &&
           write(L"ReportHost", hosts.report.c_str()) &&
           write(L"AccountHost", hosts.account.c_str()) && ServiceHostsOnLoopback(installFolder);
}
