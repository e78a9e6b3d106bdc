#pragma once

#include <string>

// The provider's public host of the cloud OCR API.
inline constexpr char kDefaultOcrHost[] = "aip.baidubce.com";

// Hosts of the services the program talks to. Compiled-in defaults that
// section "Server" of "oem.ini" in the install folder may override, so that
// the program can be pointed at local stand-ins.
struct ServerSettings {
    std::wstring ocrHost;      // cloud OCR API, https ("name" or "name:port")
    std::wstring updateHost;   // update host, http
    std::wstring reportHost;   // reporting host, http
    std::wstring accountHost;  // account service, http
    std::wstring serviceUrl;   // customer-service page
    std::wstring caFile;       // PEM of extra authorities for the OCR API; empty for none
};

// What "oem.ini" tells the program: the partner it was distributed by and the
// service hosts.
struct OemSettings {
    std::wstring partnerId;  // key "Id" of section "Partner"; "0" when missing
    ServerSettings servers;
};

std::wstring OemFilePath(const std::wstring& installFolder);

// Reads "oem.ini" of the install folder; a missing file gives the defaults.
OemSettings ReadOemSettings(const std::wstring& installFolder);
