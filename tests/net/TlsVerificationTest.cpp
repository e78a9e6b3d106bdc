// The service transport against a TLS server whose certificate (for
// "localhost" only) is signed by an authority that no system trusts. The
// server's port and the authority's PEM are in the working folder.
#include <windows.h>
#include <curl/curl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "net/ServiceTransport.h"
#include "net/TrustedRoots.h"

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
    // A certificate failure of its own, which the program tells apart from
    // an unreachable service.
    EXPECT_EQ(code, CURLE_PEER_FAILED_VERIFICATION);
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

// Windows checks certificates itself, with every root it trusts (also those
// it installs on demand); a bundle replaces that check, so one is handed over
// only with an extra authority or where the TLS layer checks nothing itself.
TEST(TlsVerification, ABundleOnlyWhereTheSystemDoesNotCheckOrAnAuthorityIsAdded) {
    EXPECT_EQ(ServiceTrustBundle(L"", PeerChecks::BySystem), nullptr);
    EXPECT_EQ(ServiceTrustBundle(L"", PeerChecks::ByBundleOnly), &SystemRootCertificatesPem());
    std::ifstream authorityFile("ca.pem", std::ios::binary);
    const std::string authority((std::istreambuf_iterator<char>(authorityFile)),
                                std::istreambuf_iterator<char>());
    for (PeerChecks system : {PeerChecks::BySystem, PeerChecks::ByBundleOnly}) {
        const std::string* bundle = ServiceTrustBundle(AuthorityPem(), system);
        ASSERT_NE(bundle, nullptr);
        EXPECT_EQ(bundle->substr(bundle->size() - authority.size()), authority);
    }
    // Wine's TLS layer accepts any certificate by itself.
    EXPECT_EQ(SystemPeerChecks(), PeerChecks::ByBundleOnly);
}
