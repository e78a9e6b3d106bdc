// The service transport against a TLS server whose certificate (for
// "localhost" only) is signed by an authority that no system trusts. The
// server's port and the authority's PEM are in the working folder.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "net/ServiceTransport.h"

namespace {

std::string ServerPort() {
    std::ifstream file("port");
    std::string port;
    file >> port;
    return port;
}

std::wstring AuthorityPem() {
    wchar_t path[MAX_PATH];
    GetFullPathNameW(L"ca.pem", MAX_PATH, path, nullptr);
    return path;
}

ServiceTransport TransportTrusting(std::wstring caFile) {
    ServiceTransport transport;
    transport.settings.caFile = std::move(caFile);
    transport.settings.connectTimeoutMs = 10000;
    transport.settings.timeoutMs = 10000;
    return transport;
}

}  // namespace

TEST(TlsVerification, RefusesAServerThatTheSystemDoesNotTrust) {
    std::string response;
    int code = TransportTrusting(L"").Get("https://localhost:" + ServerPort() + "/", response);
    EXPECT_NE(code, 0);
    EXPECT_EQ(response, "");
}

TEST(TlsVerification, AcceptsTheServerWhenTheCaFileNamesItsAuthority) {
    std::string response;
    int code =
        TransportTrusting(AuthorityPem()).Get("https://localhost:" + ServerPort() + "/", response);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(response, "trusted\r\n");
}

TEST(TlsVerification, RefusesACertificateIssuedForAnotherHostName) {
    std::string response;
    int code =
        TransportTrusting(AuthorityPem()).Get("https://127.0.0.1:" + ServerPort() + "/", response);
    EXPECT_NE(code, 0);
}

TEST(TlsVerification, AnUnreadableCaFileTrustsNothingMore) {
    std::string response;
    int code = TransportTrusting(L"Z:\\no\\such\\authority.pem")
                   .Get("https://localhost:" + ServerPort() + "/", response);
    EXPECT_NE(code, 0);
}

TEST(TlsVerification, PostsOverTlsWithTheCaFile) {
    std::string response;
    int code =
        TransportTrusting(AuthorityPem())
            .Post("https://localhost:" + ServerPort() + "/", {{"a", "b"}}, "x=1&", {}, response);
    EXPECT_EQ(code, 0);
}
